// Painting of the dictionary screen. Every position is fixed from the left or top edge or
// computed from the client size of the last paint; the values that decide what fits are in
// draw/dictionary_layout.
#include "draw/dictionary_screen_win.h"

#include <cstring>

#include "app/session_state.h"
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
  RaisedFrame(dc, 10, 80, w - 10, 100);
  RaisedFrame(dc, w - 90, 50, w - 30, 75);
  RaisedFrame(dc, w - 30, 50, w - 10, 75);
  colouredText(dc, w - 81, 52, "Search", colourAction);
  SetTextColor(dc, colourLabel);
  DownArrowGlyph(dc, w - 25, 60);
  text(dc, 10, 26, "Looking for word in ");
  if (whole && parts.lowerPart) text(dc, 10, h - 50, "Find another word?");

  char local[kMessageTextSize];
  char* status = session.viewMode == 1 ? session.messageText : local;
  const int statusLength = statusText(session.viewMode, session.foundCount, status,
                                      kMessageTextSize);
  if (statusLength >= 0) TextOutA(dc, 10, 99, status, statusLength);

  if (!parts.wideLabels) {
    text(dc, 14, 80, "Keyboard support");
  } else {
    text(dc, w - 135, 26, "Change it to");
    text(dc, session.titleX + 4, 80,
         "Click here to type with the help of keyboard support (hindi)");
  }
  if (whole && parts.yesButtons) {
    RaisedFrame(dc, 10, h - 31, 175, h - 8);
    RaisedFrame(dc, 185, h - 31, 350, h - 8);
    text(dc, 16, h - 30, "Yes, in the same language.");
    text(dc, 193, h - 30, "Yes, in another language.");
  }
  if (whole && parts.waitExit) {
    RaisedFrame(dc, w - 100, h - 31, w - 60, h - 8);
    RaisedFrame(dc, w - 50, h - 31, w - 10, h - 8);
    text(dc, w - 96, h - 30, "Wait");
    text(dc, w - 46, h - 30, "Exit");
  }
  if (parts.languageButton) {
    RaisedFrame(dc, w - 60, 26, w - 10, 47);
    if (session.searchLanguage == 1) {
      colouredText(dc, w - 58, 26, "Russian", colourRussian);
    } else {
      colouredText(dc, w - 50, 26, "Hindi", colourHindi);
    }
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
    RaisedFrame(dc, w - 140, 10, w - 85, 35);
    text(dc, w - 131, 12, "Search");
    RaisedFrame(dc, w - 85, 10, w - 60, 35);
    text(dc, w - 82, 12, "Kb");
    RaisedFrame(dc, w - 60, 10, w - 35, 35);
    DownArrowGlyph(dc, w - 53, 21);
    RaisedFrame(dc, w - 35, 10, w - 10, 35);
    colouredText(dc, w - 31, 11, "A", colourToolbarRussian);
    SelectObject(dc, kit.fontHindi);
    colouredText(dc, w - 31, 16, "w", colourToolbarHindi);
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
  switch (code) {
    case ToolbarSearch:
      SunkenFrame(dc, w - 140, 10, w - 85, 35);
      text(dc, w - 130, 13, "search");
      break;
    case ToolbarKeyboard:
      SunkenFrame(dc, w - 85, 10, w - 60, 35);
      text(dc, w - 81, 13, "Kb");
      break;
    case ToolbarOptions:
      SunkenFrame(dc, w - 60, 10, w - 35, 35);
      DownArrowGlyph(dc, w - 52, 22);
      break;
    case ToolbarLanguage:
      SunkenFrame(dc, w - 35, 10, w - 10, 35);
      colouredText(dc, w - 30, 12, "A", colourToolbarRussian);
      SelectObject(dc, kit.fontHindi);
      colouredText(dc, w - 30, 17, "w", colourToolbarHindi);
      break;
    default: break;
  }
  return code;
}
