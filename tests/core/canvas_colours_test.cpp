#include "draw/canvas_colours.h"

#include <gtest/gtest.h>

namespace {
int red(Colour c) { return c & 0xFF; }
int green(Colour c) { return (c >> 8) & 0xFF; }
int blue(Colour c) { return (c >> 16) & 0xFF; }
}  // namespace

TEST(CanvasGradient, ReferenceColumns) {
  const struct {
    int x, green, blue;
  } cases[] = {{0, 46, 72},     {1, 47, 73},     {130, 127, 197},
               {260, 155, 240}, {390, 127, 197}, {519, 47, 73}};
  for (const auto& c : cases) {
    const Colour colour = canvasGradientColour(c.x);
    EXPECT_EQ(red(colour), 240) << c.x;
    EXPECT_EQ(green(colour), c.green) << c.x;
    EXPECT_EQ(blue(colour), c.blue) << c.x;
  }
}

TEST(CanvasGradient, BrightestAtTheMiddleColumnAndNeverTheLogoColour) {
  for (int x = 0; x < 520; ++x) {
    const Colour colour = canvasGradientColour(x);
    EXPECT_NE(colour, colourLogo);
    EXPECT_LE(blue(colour), 240);
    if (x < 260) {
      EXPECT_LE(blue(colour), blue(canvasGradientColour(x + 1))) << x;
    } else if (x > 260) {
      EXPECT_LE(blue(colour), blue(canvasGradientColour(x - 1))) << x;
    }
  }
}

TEST(LogoRecolour, FollowsThePosition) {
  const struct {
    int x, y, red, green, blue;
  } cases[] = {{300, 80, 80, 180, 50},
               {200, 60, 60, 200, 206},
               {499, 229, 229, 31, 249},
               {250, 4, 4, 0, 0},
               {255, 5, 5, 255, 5}};
  for (const auto& c : cases) {
    const Colour colour = logoRecolour(c.x, c.y);
    EXPECT_EQ(red(colour), c.red);
    EXPECT_EQ(green(colour), c.green);
    EXPECT_EQ(blue(colour), c.blue);
  }
}
