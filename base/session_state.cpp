#include "base/session_state.h"

SessionState session;

int32_t queryBytesInUse(const SessionState& state) {
  if (state.queryLength < 0) return 0;
  return state.queryLength > kQueryCapacity ? kQueryCapacity : state.queryLength;
}
