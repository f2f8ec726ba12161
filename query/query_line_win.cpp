// The query line on screen: a sunken frame, a filled field, the text in the font of the
// search language and a caret line that never blinks.
#include "query/query_line_win.h"

#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "query/query_line.h"

namespace {

HFONT queryFont() { return session.searchLanguage == 1 ? kit.fontHindi : kit.fontUi; }

}  // namespace

int drawQueryLine(HDC dc) {
  const QueryLineGeometry g = queryLineGeometry(session.headerStyle, session.clientWidth);
  SunkenFrame(dc, g.frameLeft, g.frameTop, g.frameRight, g.frameBottom);
  SelectObject(dc, kit.penQueryBorder);
  SelectObject(dc, kit.brushQueryField);
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, g.fieldLeft, g.fieldTop, g.fieldRight, g.fieldBottom);
  SelectObject(dc, queryFont());
  SetTextColor(dc, paletteColour(33));
  const int length = queryBytesInUse(session);
  TextOutA(dc, g.textX, g.textY, session.queryText, length);
  int caret = session.caretIndex < 0        ? 0
              : session.caretIndex > length ? length
                                            : session.caretIndex;
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, session.queryText, caret, &extent);
  SelectObject(dc, kit.penShadow);
  MoveToEx(dc, extent.cx + kQueryTextMargin, g.caretTop, nullptr);
  LineTo(dc, extent.cx + kQueryTextMargin, g.caretBottom);
  return 1;
}

int32_t caretIndexAtX(HDC dc, int x) {
  SelectObject(dc, queryFont());
  const int length = queryBytesInUse(session);
  return caretIndexForX(session.queryText, length, x, [dc](const char* bytes, int n) {
    SIZE extent = {0, 0};
    GetTextExtentPointA(dc, bytes, n, &extent);
    return static_cast<int>(extent.cx);
  });
}
