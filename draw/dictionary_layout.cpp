#include "draw/dictionary_layout.h"

#include <cstdio>

int32_t titleXForWidth(int32_t clientWidth) {
  return clientWidth <= 390 ? 10 : (clientWidth - 350) / 2;
}

int titleByteCount(int32_t clientWidth) {
  if (clientWidth >= 370) return kTitleLength;
  const int count = kTitleLength * (clientWidth - 17) / 400;  // truncates toward zero
  return count > 0 ? count : 0;
}

FullLayoutParts fullLayoutParts(int32_t w, int32_t h) {
  FullLayoutParts p;
  p.lowerPart = h > 190;
  p.languageButton = w > 290;
  p.wideLabels = w > 370;
  p.yesButtons = w > 370 && h > 190;
  p.waitExit = w > 450 && h > 190;
  return p;
}

int statusText(int32_t viewMode, int32_t foundCount, char* out, std::size_t size) {
  if (size == 0) return -1;
  int n = -1;
  if (viewMode == 0) {
    n = std::snprintf(out, size, "%s", "Type here the word to search for");
  } else if (viewMode == 1) {
    n = std::snprintf(out, size, "Dictionary has found %d words for you", foundCount);
  }
  if (n < 0) return -1;
  // snprintf reports the untruncated length; what was stored is at most size - 1 bytes.
  return n < static_cast<int>(size) ? n : static_cast<int>(size) - 1;
}

int toolbarCodeAt(int32_t w, int x, int y) {
  if (!(10 < y && y < 35)) return ToolbarNone;
  if (w - 140 < x && x < w - 85) return ToolbarSearch;
  if (w - 85 < x && x < w - 60) return ToolbarKeyboard;
  if (w - 60 < x && x < w - 35) return ToolbarOptions;
  if (w - 35 < x && x < w - 10) return ToolbarLanguage;
  return ToolbarNone;
}

PaneRect resultsPane(int32_t headerStyle, int32_t w, int32_t h) {
  return PaneRect{8, 132 - 79 * headerStyle, w - 16, h + 132 * headerStyle - 193};
}
