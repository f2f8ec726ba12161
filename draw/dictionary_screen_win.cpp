// Painting of the dictionary screen. Every position is fixed from the left or top edge or
// computed from the client size of the last paint; the values that decide what fits are in
// draw/dictionary_layout.
#include "draw/dictionary_screen_win.h"

#include <cstring>

#include "base/session_state.h"
#include "draw/dictionary_layout.h"
#include "draw/gdi_kit.h"
#include "query/query_line_win.h"

namespace {

constexpr int kTextureSize = 115;

// The texture bitmap held in a memory DC for one paint; its selection is undone on release.
struct TextureDc {
  HDC dc;
  HGDIOBJ previous;
  explicit TextureDc(HDC target)
      : dc(CreateCompatibleDC(target)), previous(SelectObject(dc, kit.textureBitmap)) {}
  ~TextureDc() {
    if (previous) SelectObject(dc, previous);
    DeleteDC(dc);
  }
  TextureDc(const TextureDc&) = delete;
  TextureDc& operator=(const TextureDc&) = delete;
};

void stretchTexture(HDC dc, const TextureDc& texture, int x, int y, int width, int height,
                    int sourceHeight) {
  StretchBlt(dc, x, y, width, height, texture.dc, 0, 0, kTextureSize, sourceHeight, SRCCOPY);
}

void text(HDC dc, int x, int y, const char* s) {
  TextOutA(dc, x, y, s, static_cast<int>(std::strlen(s)));
}

void colouredText(HDC dc, int x, int y, const char* s, COLORREF colour) {
  SetTextColor(dc, colour);
  text(dc, x, y, s);
}

void frameOf(HDC dc, const HeaderControl& c, bool pressed) {
  if (pressed)
    SunkenFrame(dc, c.left, c.top, c.right, c.bottom);
  else
    RaisedFrame(dc, c.left, c.top, c.right, c.bottom);
}

// The caption (or the arrow glyph) at its resting place, or moved as pressed. The caller has
// selected fontUi.
void captionOf(HDC dc, const HeaderControl& c, bool pressed) {
  const int x = c.captionX + (pressed ? c.pressedDx : 0);
  const int y = c.captionY + (pressed ? c.pressedDy : 0);
  if (!c.caption) {
    DownArrowGlyph(dc, x, y);
    return;
  }
  colouredText(dc, x, y, pressed ? c.pressedCaption : c.caption, c.ink);
  if (c.hindiMark) {
    SelectObject(dc, kit.fontHindi);
    colouredText(dc, x, y + 5, c.hindiMark, colourToolbarHindi);
  }
}

HeaderControl full(int which, int w, int h) {
  return fullHeaderControl(which, w, h, session.titleX, session.searchLanguage);
}

// The full layout; `whole` false draws only the header strip and the query line.
int paintFull(HDC dc, bool whole) {
  const int w = session.clientWidth;
  const int h = session.clientHeight;
  session.titleX = titleXForWidth(w);
  const int titleBytes = titleByteCount(w);
  const FullLayoutParts parts = fullLayoutParts(w, h);
  {
    TextureDc texture(dc);
    SetBkMode(dc, TRANSPARENT);
    if (whole) RaisedFrame(dc, 0, 0, w, h);
    FlatFrame(dc, 5, 5, w - 5, 121);
    stretchTexture(dc, texture, 7, 7, w - 14, 112, kTextureSize);
    if (whole && parts.lowerPart) {
      Groove(dc, 2, w - 2, 125);
      SunkenFrame(dc, 5, 129, w - 5, h - 58);
      Groove(dc, 3, w - 3, h - 54);
      FlatFrame(dc, 5, h - 50, w - 5, h - 5);
      stretchTexture(dc, texture, 7, h - 48, w - 14, 41, kTextureSize);
    }
  }
  SelectObject(dc, kit.fontHeader);
  if (session.searchLanguage == 1) {
    colouredText(dc, 133, 24, "Hindi", colourHindi);
  } else {
    colouredText(dc, 133, 24, "Russian", colourRussian);
  }
  SetTextColor(dc, colourTitle);
  if (titleBytes > 0) TextOutA(dc, session.titleX, 6, kTitleText, titleBytes);

  SelectObject(dc, kit.fontUi);
  SunkenFrame(dc, 10, 50, w - 100, 75);
  frameOf(dc, full(FullKeyboard, w, h), false);
  frameOf(dc, full(FullSearch, w, h), false);
  frameOf(dc, full(FullOptions, w, h), false);
  captionOf(dc, full(FullSearch, w, h), false);
  SetTextColor(dc, colourLabel);
  captionOf(dc, full(FullOptions, w, h), false);
  text(dc, 10, 26, "Looking for word in ");
  if (whole && parts.lowerPart) text(dc, 10, h - 50, "Find another word?");

  if (session.statusNote[0]) {
    // What the last paste, copy, save or change of language did, as StatusLine wrote it.
    SetTextColor(dc, colourAction);
    text(dc, 10, 99, session.statusNote);
    SetTextColor(dc, colourLabel);
  } else {
    char local[kMessageTextSize];
    char* status = session.viewMode == 1 ? session.messageText : local;
    const int statusLength =
        statusText(session.viewMode, session.foundCount, status, kMessageTextSize, session.foundBy);
    if (statusLength >= 0) TextOutA(dc, 10, 99, status, statusLength);
  }

  if (parts.wideLabels) text(dc, w - 135, 26, "Change it to");
  captionOf(dc, full(FullKeyboard, w, h), false);
  // The footer buttons in pairs: both frames, then both captions.
  const int footerPairs[][2] = {{FullSameLanguage, FullAnotherLanguage}, {FullWait, FullExit}};
  for (const auto& pair : footerPairs) {
    const HeaderControl first = full(pair[0], w, h), second = full(pair[1], w, h);
    if (!whole || !first.shown) continue;
    frameOf(dc, first, false);
    frameOf(dc, second, false);
    captionOf(dc, first, false);
    captionOf(dc, second, false);
  }
  const HeaderControl language = full(FullLanguage, w, h);
  if (language.shown) {
    frameOf(dc, language, false);
    captionOf(dc, language, false);
  }
  drawQueryLine(dc);
  return 1;
}

// The compact strip and its released buttons; `whole` adds the outer frame, the groove
// and the pane frame.
int paintCompact(HDC dc, bool whole) {
  const int w = session.clientWidth;
  const int h = session.clientHeight;
  {
    TextureDc texture(dc);
    SetBkMode(dc, TRANSPARENT);
    if (whole) RaisedFrame(dc, 0, 0, w, h);
    FlatFrame(dc, 5, 5, w - 5, 40);
    stretchTexture(dc, texture, 7, 7, w - 14, 31, 31);
    if (whole) {
      Groove(dc, 2, w - 2, 45);
      SunkenFrame(dc, 5, 50, w - 5, h - 5);
    }
    SetTextColor(dc, paletteColour(33));
    SelectObject(dc, kit.fontUi);
    for (int code = ToolbarSearch; code <= ToolbarLanguage; ++code)
      drawHeaderControl(dc, compactToolbarControl(code, w), false);
  }
  drawQueryLine(dc);
  return 1;
}

}  // namespace

int paintFullDictionaryScreen(HDC dc) { return paintFull(dc, true); }
int paintFullHeader(HDC dc) { return paintFull(dc, false); }
int paintCompactDictionaryScreen(HDC dc) { return paintCompact(dc, true); }
int paintCompactToolbar(HDC dc) { return paintCompact(dc, false); }

int compactToolbarHitTest(HDC dc, int x, int y) {
  const int w = session.clientWidth;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colourLabel);
  SelectObject(dc, kit.fontUi);
  const int code = toolbarCodeAt(w, x, y);
  if (code != ToolbarNone) drawHeaderControl(dc, compactToolbarControl(code, w), true);
  return code;
}

int drawHeaderControl(HDC dc, const HeaderControl& control, bool pressed) {
  frameOf(dc, control, pressed);
  captionOf(dc, control, pressed);
  return 1;
}
