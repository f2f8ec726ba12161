// Shared set-up of the dictionary screen pixel tests: a solid test texture and canvas in
// the kit, the session restored after each test, and helpers that look for text ink.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "tests/win32/dib_surface.h"

// Colours no kit object uses, so any pixel in them comes from the texture or the canvas.
constexpr COLORREF kTextureColour = RGB(255, 0, 255);
constexpr COLORREF kCanvasBandColour = RGB(0, 128, 255);
constexpr COLORREF kCanvasColour = RGB(255, 255, 0);
constexpr COLORREF kUntouched = RGB(1, 2, 3);

inline HBITMAP makeSolidBitmap(int width, int height, COLORREF top, int topRows, COLORREF rest) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HBRUSH topBrush = CreateSolidBrush(top);
  HBRUSH restBrush = CreateSolidBrush(rest);
  RECT upper = {0, 0, width, topRows};
  RECT lower = {0, topRows, width, height};
  FillRect(dc, &upper, topBrush);
  FillRect(dc, &lower, restBrush);
  DeleteObject(topBrush);
  DeleteObject(restBrush);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = session;
    savedTexture_ = kit.textureBitmap;
    savedCanvasDc_ = kit.canvasDc;
    texture_ = makeSolidBitmap(115, 115, kTextureColour, 115, kTextureColour);
    kit.textureBitmap = texture_;
    // The canvas: its top 30 rows in one colour, the rest in another.
    HDC screen = GetDC(nullptr);
    canvasDc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    canvas_ = makeSolidBitmap(521, 350, kCanvasBandColour, 30, kCanvasColour);
    canvasPrevious_ = SelectObject(canvasDc_, canvas_);
    kit.canvasDc = canvasDc_;
    session.dictionaryActive = 1;
    session.queryLength = 0;
    session.caretIndex = 0;
  }
  void TearDown() override {
    session = saved_;
    kit.textureBitmap = savedTexture_;
    kit.canvasDc = savedCanvasDc_;
    SelectObject(canvasDc_, canvasPrevious_);
    DeleteDC(canvasDc_);
    DeleteObject(canvas_);
    DeleteObject(texture_);
  }
  void size(int w, int h) {
    session.clientWidth = w;
    session.clientHeight = h;
  }

 private:
  SessionState saved_;
  HBITMAP savedTexture_ = nullptr, texture_ = nullptr, canvas_ = nullptr;
  HDC savedCanvasDc_ = nullptr, canvasDc_ = nullptr;
  HGDIOBJ canvasPrevious_ = nullptr;
};

inline bool closeTo(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Pixels in [left, right) x [top, bottom) that differ from `background`.
inline int inkCount(const DibSurface& s, int left, int top, int right, int bottom,
                    COLORREF background) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (x >= 0 && y >= 0 && x < s.width() && y < s.height() && s.at(x, y) != background) ++n;
  return n;
}

// Pixels in the rectangle close to `colour` (text may be smoothed at its edges).
inline int colourCount(const DibSurface& s, int left, int top, int right, int bottom,
                       COLORREF colour, int tolerance = 24) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (x >= 0 && y >= 0 && x < s.width() && y < s.height() &&
          closeTo(s.at(x, y), colour, tolerance))
        ++n;
  return n;
}

// Leftmost and rightmost column holding a pixel close to `colour`, or -1.
inline int leftmost(const DibSurface& s, int top, int bottom, COLORREF colour) {
  for (int x = 0; x < s.width(); ++x)
    for (int y = top; y < bottom; ++y)
      if (closeTo(s.at(x, y), colour, 24)) return x;
  return -1;
}
inline int rightmost(const DibSurface& s, int top, int bottom, COLORREF colour) {
  for (int x = s.width() - 1; x >= 0; --x)
    for (int y = top; y < bottom; ++y)
      if (closeTo(s.at(x, y), colour, 24)) return x;
  return -1;
}

// Writes the surface as a BMP file into the folder named by VARTOLIK_ARTEFACTS, when set,
// so the pictures can be looked at by a person.
inline void saveArtefact(const DibSurface& s, const std::string& name) {
  saveForInspection(s, name.c_str());
}
