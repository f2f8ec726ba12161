// A drawing surface for pixel tests: a 32-bit top-down DIB section selected into a memory DC,
// whose pixels are read straight from its bits.
#pragma once
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "draw/gdi_kit.h"

class DibSurface {
 public:
  DibSurface(int width, int height, COLORREF background) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    fill(background);
  }
  ~DibSurface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void fill(COLORREF colour) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = toDib(colour);
  }
  // The pixel as a COLORREF (0x00BBGGRR).
  COLORREF at(int x, int y) const {
    GdiFlush();
    const uint32_t v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  std::vector<uint32_t> snapshot() const {
    GdiFlush();
    return std::vector<uint32_t>(bits_, bits_ + width_ * height_);
  }

 private:
  static uint32_t toDib(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// Every primitive test draws with the kit's pens, brushes and fonts, made once for the whole
// test program. As in the program, the display faces are registered before the fonts are made:
// a font made while its face is missing stays bound to the stand-in face that GDI chose, and
// Wine keeps serving that choice to later requests of the same font.
class KitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    for (const char* file : kFontFiles) AddFontResourceA(fontPath(file).c_str());
    createKitObjects();
  }
  void TearDown() override {
    for (const char* file : kFontFiles) RemoveFontResourceA(fontPath(file).c_str());
  }

 private:
  static constexpr const char* kFontFiles[] = {"Devass03.ttf", "Devass02.ttf", "Dvdivyan.ttf",
                                               "Dvnishan.ttf"};
  // The build's font folder, reached under Wine through drive Z:.
  static std::string fontPath(const char* file) {
    return std::string("Z:") + VARTOLIK_FONT_DIR + "/" + file;
  }
};

// Saves a surface as a 32-bit BMP into $VARTOLIK_ARTEFACTS (when set) for a person to look at.
inline void saveForInspection(const DibSurface& s, const char* name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("VARTOLIK_ARTEFACTS", folder, MAX_PATH)) return;
  CreateDirectoryA(folder, nullptr);
  char path[MAX_PATH * 2];
  wsprintfA(path, "%s\\%s.bmp", folder, name);
  const std::vector<uint32_t> pixels = s.snapshot();
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = s.width();
  info.biHeight = -s.height();
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, &file, sizeof file, &written, nullptr);
  WriteFile(h, &info, sizeof info, &written, nullptr);
  WriteFile(h, pixels.data(), bytes, &written, nullptr);
  CloseHandle(h);
}
