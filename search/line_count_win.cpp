#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "search/line_count.h"
#include "search/search_win.h"

int countDictionaryLines(HDC dc) {
  if (!countDictionaryFile()) return 0;
  if (session.dictionaryActive == 1 && session.headerStyle == HeaderFull) {
    StatusLine(dc, session.messageText);
  }
  return 1;
}
