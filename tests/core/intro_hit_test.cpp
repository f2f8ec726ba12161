#include "draw/intro_hit.h"

#include <gtest/gtest.h>

TEST(IntroHitCode, StrictBoundsOfEveryControl) {
  const struct {
    int x, y, code;
  } cases[] = {
      {54, 426, IntroInformation}, {53, 430, IntroNone},   {449, 449, IntroInformation},
      {450, 440, IntroNone},       {200, 425, IntroNone},  {200, 450, IntroNone},
      {197, 477, IntroGo},         {295, 495, IntroGo},    {296, 480, IntroNone},
      {250, 475, IntroNone},       {250, 476, IntroNone},  {250, 497, IntroNone},
      {250, 496, IntroNone},       {297, 480, IntroHelp},  {395, 480, IntroHelp},
      {396, 480, IntroNone},       {397, 480, IntroLearn}, {495, 495, IntroLearn},
      {496, 480, IntroNone},       {196, 480, IntroNone},  {0, 0, IntroNone},
      {-5, 480, IntroNone},        {300, 300, IntroNone},
  };
  for (const auto& c : cases) EXPECT_EQ(introHitCode(c.x, c.y), c.code) << c.x << ", " << c.y;
}

TEST(IntroHitCode, HitAreasLieInsideTheirFrames) {
  for (const IntroElement& e : kIntroElements) {
    EXPECT_GE(e.hitLeft, e.left) << e.caption;
    EXPECT_LE(e.hitRight, e.right) << e.caption;
    EXPECT_GE(e.hitTop, e.top) << e.caption;
    EXPECT_LE(e.hitBottom, e.bottom) << e.caption;
    EXPECT_EQ(introElement(e.code), &e);
  }
  EXPECT_EQ(introElement(IntroNone), nullptr);
  EXPECT_EQ(introElement(7), nullptr);
}
