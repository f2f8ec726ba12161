// The background canvas and the intro screen drawn into DIB sections and read back.
#include <gtest/gtest.h>

#include <memory>

#include "base/session_state.h"
#include "draw/canvas_colours.h"
#include "draw/gdi_kit.h"
#include "draw/intro_hit.h"
#include "draw/intro_screen.h"
#include "tests/win32/dib_surface.h"

namespace {

const COLORREF kUnpainted = RGB(3, 2, 1);

bool isLogo(const DibSurface& s, int x, int y) { return s.at(x, y) == logoRecolour(x, y); }

// The canvas is painted once for the suite; painting is the slow part.
class CanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    canvas_ = new DibSurface(521, 350, kUnpainted);
    kit.canvasDc = canvas_->dc();
    paintBackgroundCanvas();
    saveForInspection(*canvas_, "canvas");
  }
  static void TearDownTestSuite() {
    kit.canvasDc = nullptr;
    delete canvas_;  // its DC goes, and with it the selection of penCanvasLogo
    DeleteObject(kit.penCanvasLogo);
    kit.penCanvasLogo = nullptr;
  }
  static DibSurface* canvas_;
};
DibSurface* CanvasTest::canvas_ = nullptr;

TEST_F(CanvasTest, GradientReferenceColumns) {
  const struct {
    int x, green, blue;
  } cases[] = {{0, 46, 72},     {1, 47, 73},     {130, 127, 197},
               {260, 155, 240}, {390, 127, 197}, {519, 47, 73}};
  for (const auto& c : cases) {
    for (int y = 0; y <= 40; ++y) {
      ASSERT_EQ(canvas_->at(c.x, y), RGB(240, c.green, c.blue)) << "column " << c.x << " row " << y;
    }
    EXPECT_EQ(canvas_->at(c.x, 349), RGB(240, c.green, c.blue)) << "column " << c.x;
  }
  // Column 520 is never painted.
  for (int y = 0; y < 350; ++y) ASSERT_EQ(canvas_->at(520, y), kUnpainted) << "row " << y;
}

TEST_F(CanvasTest, NoPixelKeepsTheLogoColour) {
  for (int y = 0; y < 350; ++y)
    for (int x = 0; x < 521; ++x)
      ASSERT_NE(canvas_->at(x, y), static_cast<COLORREF>(colourLogo))
          << "(" << x << ", " << y << ")";
}

TEST_F(CanvasTest, LogoIsRecolouredByPosition) {
  // Inside the band between the arcs, in both closing triangles and at the extra pixel.
  const POINT logo[] = {{300, 80},  {290, 87},  {305, 80},  {365, 70}, {365, 67},
                        {475, 137}, {450, 100}, {391, 202}, {390, 204}};
  for (const POINT& p : logo)
    EXPECT_TRUE(isLogo(*canvas_, p.x, p.y)) << "(" << p.x << ", " << p.y << ") not logo";
  EXPECT_EQ(canvas_->at(300, 80), RGB(80, 180, 50));
}

TEST_F(CanvasTest, FillStaysInsideTheOutline) {
  // The inside of the inner arc and the corners of the logo's box outside the outer arc keep
  // the gradient.
  const POINT outside[] = {{365, 137}, {300, 140}, {430, 137}, {365, 190}, {255, 70},
                           {475, 70},  {255, 205}, {475, 205}, {340, 120}, {260, 137}};
  for (const POINT& p : outside) {
    EXPECT_EQ(canvas_->at(p.x, p.y), canvasGradientColour(p.x))
        << "(" << p.x << ", " << p.y << ") was filled";
  }
  // Away from the logo's box and the words, every pixel is the gradient of its column.
  const RECT clear[] = {
      {0, 0, 520, 41}, {500, 0, 520, 350}, {330, 230, 520, 350}, {0, 325, 520, 350}};
  for (const RECT& r : clear) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        ASSERT_EQ(canvas_->at(x, y), canvasGradientColour(x)) << "(" << x << ", " << y << ")";
  }
  // The band is a few thousand pixels; a leak through the outline would colour tens of
  // thousands inside the box.
  int logoPixels = 0;
  for (int x = 200; x < 500; ++x)
    for (int y = 60; y < 230; ++y) logoPixels += isLogo(*canvas_, x, y);
  EXPECT_GT(logoPixels, 2500);
  EXPECT_LT(logoPixels, 9000);
}

TEST_F(CanvasTest, WordsAreDrawnInTheirColours) {
  int russian = 0, hindi = 0;
  for (int y = 40; y < 330; ++y) {
    for (int x = 0; x < 330; ++x) {
      russian += canvas_->at(x, y) == colourCanvasRussian;
      hindi += canvas_->at(x, y) == colourCanvasHindi;
    }
  }
  EXPECT_GT(russian, 500);
  EXPECT_GT(hindi, 200);
}

class IntroScreenTest : public CanvasTest {};

TEST_F(IntroScreenTest, ControlsFramedOverTheSpreadGradient) {
  DibSurface screen(520, 550, kUnpainted);
  paintIntroScreen(screen.dc());
  saveForInspection(screen, "intro");
  // The gradient fills every row below the picture, column by column.
  for (int x = 0; x < 520; ++x) {
    ASSERT_EQ(screen.at(x, 360), canvasGradientColour(x)) << "column " << x;
    ASSERT_EQ(screen.at(x, 549), canvasGradientColour(x)) << "column " << x;
  }
  // The picture is copied 1:1 into the top left.
  for (int y = 0; y < 350; y += 7)
    for (int x = 0; x < 500; x += 3) ASSERT_EQ(screen.at(x, y), canvas_->at(x, y));
  for (const IntroElement& e : kIntroElements) {
    EXPECT_EQ(screen.at(e.left, e.top), colourFace) << e.caption;
    EXPECT_EQ(screen.at(e.left + 1, e.top + 1), colourHighlight) << e.caption;
    EXPECT_EQ(screen.at(e.right - 1, e.bottom - 1), colourShadow) << e.caption;
    EXPECT_EQ(screen.at(e.right - 2, e.bottom - 3), colourShadow) << e.caption;
    int ink = 0;
    for (int y = e.top + 3; y < e.bottom - 2; ++y)
      for (int x = e.left + 3; x < e.right - 2; ++x) ink += screen.at(x, y) != colourFace;
    EXPECT_GT(ink, 15) << e.caption << " has no caption";
  }
}

TEST_F(IntroScreenTest, PressDrawsOnlyTheHitButtonSunken) {
  // The information bar opens a document and is left to the end-to-end test.
  const struct {
    int x, y, code;
  } cases[] = {{250, 480, IntroGo},   {300, 490, IntroHelp}, {495, 477, IntroLearn},
               {296, 480, IntroNone}, {250, 475, IntroNone}, {250, 497, IntroNone},
               {100, 300, IntroNone}, {53, 430, IntroNone}};
  for (const auto& c : cases) {
    DibSurface screen(520, 550, kUnpainted);
    paintIntroScreen(screen.dc());
    const std::vector<uint32_t> before = screen.snapshot();
    EXPECT_EQ(introHitTest(screen.dc(), c.x, c.y), c.code) << c.x << ", " << c.y;
    const std::vector<uint32_t> after = screen.snapshot();
    const IntroElement* e = introElement(c.code);
    if (!e) {
      EXPECT_TRUE(before == after) << c.x << ", " << c.y << " drew something";
      continue;
    }
    EXPECT_EQ(screen.at(e->left + 1, e->top + 1), colourShadow);
    EXPECT_EQ(screen.at(e->right - 1, e->bottom - 1), colourHighlight);
    bool actionInk = false;
    for (int y = e->top + 3; y < e->bottom - 2; ++y)
      for (int x = e->left + 3; x < e->right - 2; ++x) actionInk |= screen.at(x, y) != colourFace;
    EXPECT_TRUE(actionInk);
    // Nothing outside the pressed frame changed.
    for (int y = 0; y < 550; ++y) {
      for (int x = 0; x < 520; ++x) {
        if (x >= e->left && x < e->right && y >= e->top && y < e->bottom) continue;
        ASSERT_EQ(before[y * 520 + x], after[y * 520 + x]) << "(" << x << ", " << y << ")";
      }
    }
    // The release puts every control back up.
    drawIntroControlsReleased(screen.dc());
    EXPECT_EQ(screen.at(e->left + 1, e->top + 1), colourHighlight);
    EXPECT_EQ(screen.at(e->right - 1, e->bottom - 1), colourShadow);
  }
}

}  // namespace
