#include "draw/colours.h"

#include <gtest/gtest.h>

TEST(PaletteColour, CodesGiveTheirColoursAndEverythingElsePassesThrough) {
  const struct {
    int32_t code;
    Colour want;
  } cases[] = {
      {2, 1336340},
      {3, 1315940},
      {33, 3934730},
      {0, 0},
      {6558740, 6558740},
      {1, 1},
      {4, 4},
      {32, 32},
      {34, 34},
      {-1, 0xFFFFFFFFu},
      {0x00FAFAFA, colourHighlight},
  };
  for (const auto& c : cases) EXPECT_EQ(paletteColour(c.code), c.want) << "code " << c.code;
  EXPECT_EQ(paletteColour(2), colourHindi);
  EXPECT_EQ(paletteColour(3), colourRussian);
  EXPECT_EQ(paletteColour(33), colourLabel);
}
