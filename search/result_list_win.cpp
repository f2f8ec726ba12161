// Writes the runs of the result list layout with the kit's fonts. The token being
// collected lives in the session's messageText, as every shared scratch text does.
#include "search/result_list_win.h"

#include <vector>

#include "base/session_state.h"
#include "draw/dictionary_layout.h"
#include "draw/gdi_kit.h"
#include "search/result_buffer.h"
#include "search/result_layout.h"

namespace {

HFONT kitFont(ResultFont font) {
  switch (font) {
    case ResultFont::Headword: return kit.fontHeadword;
    case ResultFont::Hindi: return kit.fontHindi;
    case ResultFont::Note: return kit.fontNote;
    default: return kit.fontUi;
  }
}

}  // namespace

int drawResultList(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  const int32_t queryLength = queryBytesInUse(session);
  const ResultLayoutInput in{
      resultBuffer,         session.resultSize,  static_cast<int32_t>(kResultBufferSize),
      session.scrollLine,   session.headerStyle, session.clientWidth,
      session.clientHeight, session.queryText,   queryLength,
      session.messageText,  kMessageTextSize};
  std::vector<TextRun> runs;
  layoutResultList(
      in,
      [dc](ResultFont font, const char* bytes, int count) {
        SelectObject(dc, kitFont(font));
        SIZE extent = {0, 0};
        GetTextExtentPointA(dc, bytes, count, &extent);
        return static_cast<int>(extent.cx);
      },
      runs);
  // Tokens wider than the pane (lines without spaces, binary data) stop at its left and
  // right edges; rows are never cut at the top or bottom.
  const PaneRect area = listClip(session);
  ClipScope clip(dc, area.left, area.top, area.left + area.width, area.top + area.height);
  for (const TextRun& run : runs) {
    SelectObject(dc, kitFont(run.font));
    SetTextColor(dc, run.colour);
    TextOutA(dc, run.x, run.y, run.bytes.data(), static_cast<int>(run.bytes.size()));
  }
  return 0;
}
