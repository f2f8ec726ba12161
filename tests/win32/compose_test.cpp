// Composition of the dictionary screen: which pane fill runs for which view, and the
// 200-pixel height below which the pane shows nothing.
#include <gtest/gtest.h>

#include <string>

#include "app/compose_win.h"
#include "search/result_buffer.h"
#include "tests/win32/screen_fixture.h"

namespace {

class Compose : public ScreenTest {};

TEST_F(Compose, PaneFillByViewAndHeight) {
  struct Case {
    int style, view, h;
    COLORREF top, bottom;  // expected near the pane's top and bottom rows
  } cases[] = {
      {0, ViewPrompt, 400, kCanvasBandColour, kCanvasColour},
      {0, ViewResults, 400, kCanvasBandColour, kCanvasBandColour},
      {0, ViewResults, 201, kCanvasBandColour, kCanvasBandColour},
      {0, ViewPrompt, 200, colourFace, colourFace},
      {0, ViewResults, 200, colourFace, colourFace},
      {1, ViewPrompt, 400, kCanvasBandColour, kCanvasColour},
      {1, ViewResults, 400, kCanvasBandColour, kCanvasBandColour},
      {1, ViewPrompt, 200, colourFace, colourFace},
  };
  char* saved = resultBuffer;
  resultBuffer = nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " view " + std::to_string(c.view) +
                 " h " + std::to_string(c.h));
    size(520, c.h);
    session.headerStyle = c.style;
    session.viewMode = c.view;
    DibSurface s(520, c.h, kUntouched);
    EXPECT_EQ(composeScreen(s.dc()), 1);
    const int top = 132 - 79 * c.style;
    const int bottom = c.style == 0 ? c.h - 61 : c.h - 8;
    if (bottom - top >= 4) {
      EXPECT_EQ(s.at(260, top), c.top);
      EXPECT_EQ(s.at(260, bottom - 1), c.bottom);
    }
    // The fill covers exactly the pane: three pixels inside the sunken frame.
    if (c.top != colourFace) {
      EXPECT_EQ(s.at(8, top), c.top);
      EXPECT_EQ(s.at(511, bottom - 1), c.bottom);
      EXPECT_NE(s.at(7, top), c.top);
      EXPECT_NE(s.at(512, bottom - 1), c.bottom);
      EXPECT_NE(s.at(260, bottom), c.bottom);
      EXPECT_NE(s.at(260, top - 1), c.top);
    }
  }
  resultBuffer = saved;
}

TEST_F(Compose, TeacherViewGetsNoCanvasFill) {
  size(520, 400);
  session.viewMode = ViewTeacher;
  DibSurface s(520, 400, kUntouched);
  composeScreen(s.dc());
  EXPECT_EQ(colourCount(s, 8, 132, 512, 339, kCanvasBandColour, 0), 0);
  EXPECT_EQ(colourCount(s, 8, 132, 512, 339, kCanvasColour, 0), 0);
}

TEST_F(Compose, CompactLayoutWhenChosen) {
  size(520, 400);
  session.headerStyle = HeaderCompact;
  DibSurface s(520, 400, kUntouched);
  composeScreen(s.dc());
  EXPECT_EQ(s.at(13, 13), colourQueryBorder);  // the compact query field
  EXPECT_EQ(s.at(7, 38), colourFace);         // below the 31-row strip
  session.headerStyle = HeaderFull;
  composeScreen(s.dc());
  EXPECT_EQ(s.at(7, 38), kTextureColour);     // the full header's picture
}

}  // namespace
