#include "base/session_state.h"

#include <cstdio>

SessionState session;

int32_t queryBytesInUse(const SessionState& state) {
  if (state.queryLength < 0) return 0;
  return state.queryLength > kQueryCapacity ? kQueryCapacity : state.queryLength;
}

void setStatusNote(SessionState& state, const char* text) {
  std::snprintf(state.statusNote, sizeof state.statusNote, "%s", text);
}
