// The background canvas: painted once at window creation, pixel by pixel, and afterwards only
// copied onto the screens.
#include "base/session_state.h"
#include "draw/canvas_colours.h"
#include "draw/canvas_words.h"
#include "draw/gdi_kit.h"
#include "draw/intro_screen.h"

namespace {

constexpr int kGradientColumns = 520;

// The logo: two concentric arcs and the two paths that close the band between them.
void drawLogoOutline(HDC dc) {
  Arc(dc, 250, 65, 480, 210, 470, 360, 250, 30);
  Arc(dc, 260, 75, 470, 200, 470, 360, 250, 30);

  MoveToEx(dc, 305, 71, nullptr);
  LineTo(dc, 279, 94);
  LineTo(dc, 315, 85);
  MoveToEx(dc, 400, 192, nullptr);
  LineTo(dc, 370, 205);
  LineTo(dc, 403, 209);

  // The arcs end 1.4 to 2.6 pixels short of the path segments they meet; depending on how
  // the 2-pixel strokes are rasterised that leaves a one-pixel opening through which the
  // fill would flood the whole canvas. Short strokes from each arc end onto its segment
  // close the outline whatever the rasteriser does.
  const POINT joins[][2] = {
      {{301, 77}, {297, 78}},    // outer arc, upper-left end
      {{309, 85}, {309, 87}},    // inner arc, upper-left end
      {{398, 207}, {398, 209}},  // outer arc, lower-right end
      {{393, 198}, {393, 194}},  // inner arc, lower-right end
  };
  for (const auto& j : joins) {
    MoveToEx(dc, j[0].x, j[0].y, nullptr);
    LineTo(dc, j[1].x, j[1].y);
  }
}

}  // namespace

int paintBackgroundCanvas() {
  HDC dc = kit.canvasDc;
  for (int x = 0; x < kGradientColumns; ++x) PixelColumn(dc, x, 0, 350, canvasGradientColour(x));

  kit.penCanvasLogo = CreatePen(PS_SOLID, 2, colourLogo);
  HBRUSH logoBrush = CreateSolidBrush(colourLogo);
  SelectObject(dc, kit.penCanvasLogo);  // stays selected for the canvas's life
  HGDIOBJ previousBrush = SelectObject(dc, logoBrush);

  drawLogoOutline(dc);
  FloodFill(dc, 290, 87, colourLogo);
  SetPixel(dc, 305, 80, colourLogo);

  // Every logo pixel, outline and fill, takes a colour that follows its position. No
  // gradient pixel can equal colourLogo: the gradient's red is always 240.
  for (int x = 200; x < 500; ++x) {
    for (int y = 60; y < 230; ++y) {
      if (GetPixel(dc, x, y) == colourLogo) SetPixel(dc, x, y, logoRecolour(x, y));
    }
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colourCanvasRussian);
  SelectObject(dc, kit.fontCanvasRussian);
  for (const CanvasWord& w : kCanvasRussianWords) TextOutA(dc, w.x, w.y, w.bytes, w.length);
  SelectObject(dc, kit.fontCanvasHindi);  // stays selected for the canvas's life
  SetTextColor(dc, colourCanvasHindi);
  for (const CanvasWord& w : kCanvasHindiWords) TextOutA(dc, w.x, w.y, w.bytes, w.length);

  SelectObject(dc, previousBrush);
  DeleteObject(logoBrush);
  return 1;
}
