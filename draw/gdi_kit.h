// The drawing kit: every pen, brush, font and bitmap the screens draw with, made once at
// window creation and released at destruction, plus the named colours and the small 3-D
// drawing primitives every screen is built from.
#pragma once
#include <windows.h>

#include "draw/colours.h"

struct GdiKit {
  HPEN penFace = nullptr;
  HPEN penShadow = nullptr;
  HPEN penHighlight = nullptr;
  HPEN penQueryBorder = nullptr;
  HPEN penCanvasLogo = nullptr;  // made by the canvas painting, released with the kit
  HBRUSH brushQueryField = nullptr;
  HBRUSH brushFace = nullptr;
  HFONT fontHeader = nullptr;
  HFONT fontHeadword = nullptr;
  HFONT fontHindi = nullptr;
  HFONT fontUi = nullptr;
  HFONT fontNote = nullptr;
  HFONT fontTeacherRussian = nullptr;
  HFONT fontCanvasRussian = nullptr;
  HFONT fontCanvasHindi = nullptr;
  HFONT fontIntro = nullptr;
  HBITMAP textureBitmap = nullptr;  // resource MYBP
  HDC canvasDc = nullptr;           // holds canvasBitmap for the program's life
  HBITMAP canvasBitmap = nullptr;   // 521 x 350, the background canvas
};

extern GdiKit kit;

// Registers the font files, creates pens, brushes and fonts; one message box per failure.
int createGdiKit();
// The two halves of createGdiKit: the font files from the working folder, then the pens,
// brushes and fonts (the Devanagari fonts rely on the files registered first).
int registerFontFiles();
int createKitObjects();
// Deletes every kit object, removes the font files and broadcasts WM_FONTCHANGE.
int releaseGdiKit();

int RaisedFrame(HDC dc, int left, int top, int right, int bottom);
int SunkenFrame(HDC dc, int left, int top, int right, int bottom);
int FlatFrame(HDC dc, int left, int top, int right, int bottom);
int Groove(HDC dc, int xFrom, int xTo, int y);
int PixelColumn(HDC dc, int x, int yFrom, int yTo, COLORREF colour);
int DownArrowGlyph(HDC dc, int x, int y);
int clearResultsPane(HDC dc);

// Limits drawing on a device context to a rectangle while it lives, then gives the context
// back the clipping it had (none, or its own region).
struct ClipScope {
  ClipScope(HDC target, int left, int top, int right, int bottom);
  ~ClipScope();
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;
  HDC dc;
  HRGN saved;
  bool hadRegion;
};
int StatusLine(HDC dc, const char* text);
