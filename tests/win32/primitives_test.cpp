// The 3-D primitives drawn into a DIB section and read back pixel by pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "tests/win32/dib_surface.h"

namespace {

const COLORREF kPaper = RGB(1, 2, 3);  // background no primitive ever draws

// Compares a surface with a picture drawn as text: one character per pixel.
void expectPicture(const DibSurface& s, const std::vector<std::string>& rows,
                   const std::string& what) {
  for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      COLORREF want = kPaper;
      switch (rows[y][x]) {
        case 'F': want = colourFace; break;
        case 'H': want = colourHighlight; break;
        case 'S': want = colourShadow; break;
        default: break;
      }
      EXPECT_EQ(s.at(x, y), want) << what << " at (" << x << ", " << y << ")";
    }
  }
}

using FrameFn = int (*)(HDC, int, int, int, int);

struct FrameCase {
  const char* name;
  FrameFn draw;
  std::vector<std::string> picture;  // the box (0, 0, 12, 10) and one paper row/column
};

TEST(Frames, WholeBoxMatchesItsBevelPattern) {
  const FrameCase cases[] = {
      {"RaisedFrame",
       RaisedFrame,
       {"FFFFFFFFFFFF.", "FHHHHHHHHHHH.", "FHHHHHHHHHFS.", "FHHFFFFFFFSS.", "FHHFFFFFFFSS.",
        "FHHFFFFFFFSS.", "FHHFFFFFFFSS.", "FHHFFFFFFFSS.", "FHHSSSSSSSSS.", "FHSSSSSSSSSS.",
        "............."}},
      {"SunkenFrame",
       SunkenFrame,
       {"FFFFFFFFFFFF.", "FSSSSSSSSSSS.", "FSSSSSSSSSFH.", "FSSFFFFFFFHH.", "FSSFFFFFFFHH.",
        "FSSFFFFFFFHH.", "FSSFFFFFFFHH.", "FSSFFFFFFFHH.", "FSSHHHHHHHHH.", "FSHHHHHHHHHH.",
        "............."}},
      {"FlatFrame",
       FlatFrame,
       {"FFFFFFFFFFFF.", "FSSSSSSSSSSS.", "FSFFFFFFFFFH.", "FSFFFFFFFFFH.", "FSFFFFFFFFFH.",
        "FSFFFFFFFFFH.", "FSFFFFFFFFFH.", "FSFFFFFFFFFH.", "FSFFFFFFFFFH.", "FFHHHHHHHHHH.",
        "............."}},
  };
  for (const FrameCase& c : cases) {
    DibSurface s(13, 11, kPaper);
    c.draw(s.dc(), 0, 0, 12, 10);
    expectPicture(s, c.picture, c.name);
  }
}

TEST(Frames, OffsetBoxKeepsItsCorners) {
  // The same corner rules away from the origin: (left, top, right, bottom) = (5, 3, 25, 14).
  DibSurface s(30, 20, kPaper);
  RaisedFrame(s.dc(), 5, 3, 25, 14);
  EXPECT_EQ(s.at(24, 3), colourFace);
  EXPECT_EQ(s.at(24, 4), colourHighlight);
  EXPECT_EQ(s.at(6, 13), colourHighlight);
  EXPECT_EQ(s.at(23, 5), colourFace);
  EXPECT_EQ(s.at(24, 13), colourShadow);
  EXPECT_EQ(s.at(4, 3), kPaper);
  EXPECT_EQ(s.at(25, 14), kPaper);
  EXPECT_EQ(s.at(15, 8), colourFace);
}

TEST(Selections, PrimitivesLeaveTheirLastPenAndBrushSelected) {
  struct Case {
    const char* name;
    void (*draw)(HDC);
    HPEN GdiKit::*pen;
  };
  const Case cases[] = {
      {"RaisedFrame", [](HDC dc) { RaisedFrame(dc, 0, 0, 12, 10); }, &GdiKit::penHighlight},
      {"SunkenFrame", [](HDC dc) { SunkenFrame(dc, 0, 0, 12, 10); }, &GdiKit::penShadow},
      {"FlatFrame", [](HDC dc) { FlatFrame(dc, 0, 0, 12, 10); }, &GdiKit::penShadow},
      {"Groove", [](HDC dc) { Groove(dc, 2, 10, 5); }, &GdiKit::penHighlight},
      {"DownArrowGlyph", [](HDC dc) { DownArrowGlyph(dc, 0, 0); }, &GdiKit::penShadow},
  };
  for (const Case& c : cases) {
    DibSurface s(13, 11, kPaper);
    c.draw(s.dc());
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), kit.*c.pen) << c.name;
  }
  DibSurface s(13, 11, kPaper);
  SunkenFrame(s.dc(), 0, 0, 12, 10);
  EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), kit.brushFace);
  // A caller that draws a line next without choosing a pen draws it dark.
  MoveToEx(s.dc(), 0, 10, nullptr);
  LineTo(s.dc(), 5, 10);
  EXPECT_EQ(s.at(3, 10), colourShadow);
}

TEST(DownArrowGlyph, PaintsThirtyPixelsInAShrinkingTriangle) {
  const int origins[][2] = {{0, 0}, {7, 4}};
  for (const auto& o : origins) {
    DibSurface s(20, 12, kPaper);
    DownArrowGlyph(s.dc(), o[0], o[1]);
    int painted = 0;
    for (int y = 0; y < s.height(); ++y) {
      for (int x = 0; x < s.width(); ++x) {
        const int row = y - o[1];
        const bool inside = row >= 0 && row <= 4 && x >= o[0] + row && x <= o[0] + 9 - row;
        EXPECT_EQ(s.at(x, y), inside ? colourShadow : kPaper)
            << "origin (" << o[0] << ", " << o[1] << ") pixel (" << x << ", " << y << ")";
        painted += s.at(x, y) == colourShadow;
      }
    }
    EXPECT_EQ(painted, 30);
  }
}

TEST(PixelColumn, PaintsBothEndsAndNothingWhenReversed) {
  struct Case {
    int yFrom, yTo, firstPainted, lastPainted;  // lastPainted < firstPainted: none
  };
  const Case cases[] = {{2, 6, 2, 6}, {4, 4, 4, 4}, {6, 2, 1, 0}, {-3, 1, 0, 1}, {8, 15, 8, 9}};
  const COLORREF ink = RGB(9, 200, 77);
  for (const Case& c : cases) {
    DibSurface s(3, 10, kPaper);
    PixelColumn(s.dc(), 1, c.yFrom, c.yTo, ink);
    for (int y = 0; y < 10; ++y) {
      const bool painted = y >= c.firstPainted && y <= c.lastPainted;
      EXPECT_EQ(s.at(1, y), painted ? ink : kPaper)
          << "yFrom " << c.yFrom << " yTo " << c.yTo << " row " << y;
      EXPECT_EQ(s.at(0, y), kPaper);
      EXPECT_EQ(s.at(2, y), kPaper);
    }
  }
}

TEST(Groove, ThreeLinesCentredOnTheRow) {
  DibSurface s(16, 8, kPaper);
  Groove(s.dc(), 3, 10, 4);
  expectPicture(s,
                {"................", "................", "................", "..SSSSSSSSS.....",
                 "...FFFFFFF......", "..HHHHHHHHH.....", "................"},
                "Groove");
}

// The texture of the status line: rows 100 to 114 in one colour, the rest in another.
class StatusLineTest : public ::testing::Test {
 protected:
  static constexpr COLORREF kStrip = RGB(0x1E, 0x5A, 0xA0);
  static constexpr COLORREF kRest = RGB(250, 0, 250);
  void SetUp() override {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 115;
    info.bmiHeader.biHeight = -115;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    uint32_t* bits = nullptr;
    kit.textureBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                         reinterpret_cast<void**>(&bits), nullptr, 0);
    ASSERT_NE(kit.textureBitmap, nullptr);
    for (int y = 0; y < 115; ++y)
      for (int x = 0; x < 115; ++x) bits[y * 115 + x] = y >= 100 ? 0x001E5AA0 : 0x00FA00FA;
    session.clientWidth = 200;
    session.clientHeight = 300;
  }
  void TearDown() override {
    DeleteObject(kit.textureBitmap);
    kit.textureBitmap = nullptr;
  }
};

TEST_F(StatusLineTest, EmptyTextOnlyRedrawsTheStrip) {
  DibSurface s(200, 130, kPaper);
  StatusLine(s.dc(), "");
  // The strip covers x 7 to 192 and rows 100 to 118, nothing around it.
  for (int y = 95; y < 125; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool inStrip = x >= 7 && x <= 192 && y >= 100 && y <= 118;
      ASSERT_EQ(s.at(x, y), inStrip ? kStrip : kPaper) << "(" << x << ", " << y << ")";
    }
  }
}

TEST_F(StatusLineTest, TextIsWrittenOnTheStripInTheActionColour) {
  DibSurface s(200, 130, kPaper);
  StatusLine(s.dc(), "Wait: counting");
  int ink = 0;
  for (int y = 99; y < 125; ++y)
    for (int x = 8; x < 150; ++x) ink += s.at(x, y) != kStrip && s.at(x, y) != kPaper;
  EXPECT_GT(ink, 40);
  EXPECT_EQ(GetTextColor(s.dc()), colourAction);
  EXPECT_EQ(GetBkMode(s.dc()), TRANSPARENT);
  // A later empty line wipes the text again.
  StatusLine(s.dc(), "");
  for (int y = 100; y <= 118; ++y)
    for (int x = 7; x <= 192; ++x) ASSERT_EQ(s.at(x, y), kStrip) << "(" << x << ", " << y << ")";
}

TEST(ClearResultsPane, SunkenFrameOverTheFullHeaderPane) {
  session.clientWidth = 120;
  session.clientHeight = 220;
  DibSurface s(120, 220, kPaper);
  clearResultsPane(s.dc());
  EXPECT_EQ(s.at(4, 128), kPaper);
  EXPECT_EQ(s.at(5, 129), colourFace);
  EXPECT_EQ(s.at(6, 130), colourShadow);
  EXPECT_EQ(s.at(114, 161), colourHighlight);  // right - 1, bottom - 1
  EXPECT_EQ(s.at(115, 162), kPaper);
  EXPECT_EQ(s.at(60, 150), colourFace);
}

}  // namespace
