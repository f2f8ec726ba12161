#include "draw/dictionary_layout.h"

#include <cstdio>

#include "base/session_state.h"

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

const char* languageNote(int32_t language) {
  return language == 1 ? "The search language is now Hindi" : "The search language is now Russian";
}

bool controlHit(const HeaderControl& c, int x, int y) {
  return c.answers && c.left < x && x < c.right && c.top < y && y < c.bottom;
}

namespace {

const char kLongKeyboardLabel[] = "Click here to type with the help of keyboard support (hindi)";
const char kShortKeyboardLabel[] = "Keyboard support";
const char kSameLanguage[] = "Yes, in the same language.";
const char kAnotherLanguage[] = "Yes, in another language.";

HeaderControl control(int code, int left, int top, int right, int bottom, const char* caption,
                      Colour ink, int captionX, int captionY, int pressedDx, bool shown,
                      bool answers) {
  return HeaderControl{code,     left,     top,       right, bottom,  caption, caption, ink,
                       captionX, captionY, pressedDx, 1,     nullptr, shown,   answers};
}

}  // namespace

HeaderControl fullHeaderControl(int which, int32_t w, int32_t h, int32_t titleX,
                                int32_t searchLanguage) {
  const FullLayoutParts parts = fullLayoutParts(w, h);
  const bool hindi = searchLanguage == 1;
  switch (which) {
    case FullSearch:
      return control(PressedSearch, w - 90, 50, w - 30, 75, "Search", colourAction, w - 81, 52, 1,
                     true, true);
    case FullLanguage:  // names the other language; pressed, its caption moves left
      return control(PressedLanguage, w - 60, 26, w - 10, 47, hindi ? "Russian" : "Hindi",
                     hindi ? colourRussian : colourHindi, hindi ? w - 58 : w - 50, 26, -1,
                     parts.languageButton, true);
    case FullKeyboard:
      return control(PressedRaiseThree, 10, 80, w - 10, 100,
                     parts.wideLabels ? kLongKeyboardLabel : kShortKeyboardLabel, colourLabel,
                     titleX + 4, 80, 1, true, true);
    case FullOptions:
      return control(PressedRaiseThree, w - 30, 50, w - 10, 75, nullptr, colourLabel, w - 25, 60, 1,
                     true, true);
    case FullSameLanguage:
      return control(PressedRaiseThree, 10, h - 31, 175, h - 8, kSameLanguage, colourLabel, 16,
                     h - 30, 1, parts.yesButtons, true);
    case FullAnotherLanguage:
      return control(PressedLanguage, 185, h - 31, 350, h - 8, kAnotherLanguage, colourLabel, 193,
                     h - 30, -1, parts.yesButtons, true);
    case FullWait:
      return control(PressedNothing, w - 100, h - 31, w - 60, h - 8, "Wait", colourLabel, w - 96,
                     h - 30, 1, parts.waitExit, w > 450);
    case FullExit:
      return control(PressedNothing, w - 50, h - 31, w - 10, h - 8, "Exit", colourLabel, w - 46,
                     h - 30, 1, parts.waitExit, w > 450);
    default:
      return control(PressedNothing, 0, 0, 0, 0, nullptr, colourLabel, 0, 0, 0, false, false);
  }
}

HeaderControl compactToolbarControl(int code, int32_t w) {
  HeaderControl c;
  switch (code) {
    case ToolbarSearch:  // pressed, its caption is written in lower case
      c = control(code, w - 140, 10, w - 85, 35, "Search", colourLabel, w - 131, 12, 1, true, true);
      c.pressedCaption = "search";
      return c;
    case ToolbarKeyboard:
      return control(code, w - 85, 10, w - 60, 35, "Kb", colourLabel, w - 82, 12, 1, true, true);
    case ToolbarOptions:
      return control(code, w - 60, 10, w - 35, 35, nullptr, colourLabel, w - 53, 21, 1, true, true);
    case ToolbarLanguage:  // "A" in the Russian colour over the Hindi face's "w"
      c = control(code, w - 35, 10, w - 10, 35, "A", colourToolbarRussian, w - 31, 11, 1, true,
                  true);
      c.hindiMark = "w";
      return c;
    default: return control(ToolbarNone, 0, 0, 0, 0, nullptr, colourLabel, 0, 0, 0, false, false);
  }
}

int toolbarCodeAt(int32_t w, int x, int y) {
  for (int code = ToolbarSearch; code <= ToolbarLanguage; ++code)
    if (controlHit(compactToolbarControl(code, w), x, y)) return code;
  return ToolbarNone;
}

PaneRect resultsPane(int32_t headerStyle, int32_t w, int32_t h) {
  return PaneRect{8, 132 - 79 * headerStyle, w - 16, h + 132 * headerStyle - 193};
}

bool paneHasArea(const PaneRect& pane) { return pane.width > 0 && pane.height > 0; }

PaneRect currentPane(const SessionState& state) {
  return resultsPane(state.headerStyle, state.clientWidth, state.clientHeight);
}

PaneRect listClip(const SessionState& state) {
  const PaneRect pane = currentPane(state);
  return PaneRect{pane.left, 0, pane.width, state.clientHeight};
}

int wheelScrollLines(int wheelDelta) { return wheelDelta * 3 / 120; }
