// Composition of the dictionary screen: which pane fill runs for which view, and the
// 200-pixel height below which the pane shows nothing.
#include <gtest/gtest.h>

#include <cstdio>
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
    SCOPED_TRACE("style " + std::to_string(c.style) + " view " + std::to_string(c.view) + " h " +
                 std::to_string(c.h));
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

TEST_F(Compose, TeacherViewDrawsTheListsWithoutACanvasFill) {
  // The lists are read from the working folder: use a fresh one.
  char previous[MAX_PATH], temp[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "vartolik_compose_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  for (const char* name : {"hin.tea", "rus.tea"}) {
    std::FILE* f = std::fopen(name, "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(name[0] == 'h' ? "kml\r\npani\r\n" : "\xEB\xEE\xF2\xEE\xF1\r\n\xE2\xEE\xE4\xE0\r\n",
               f);
    std::fclose(f);
  }
  size(520, 400);
  session.viewMode = ViewTeacher;
  DibSurface s(520, 400, kUntouched);
  composeScreen(s.dc());
  saveArtefact(s, "compose_teacher");
  for (const char* name : {"hin.tea", "rus.tea", "hintea.bak", "rustea.bak"}) DeleteFileA(name);
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(folder.c_str());

  EXPECT_EQ(colourCount(s, 8, 132, 512, 339, kCanvasBandColour, 0), 0);
  EXPECT_EQ(colourCount(s, 8, 132, 512, 339, kCanvasColour, 0), 0);
  EXPECT_GT(colourCount(s, 8, 130, 512, 175, colourAction, 40), 20);
}

// The scroll keys redraw the results outside a paint, without the 200-pixel threshold: in a
// window too low for a pane nothing may be drawn (the canvas band would land upside down
// over the header).
TEST_F(Compose, ScrollRedrawInATinyWindowDrawsNothing) {
  const int cases[][2] = {{0, 150}, {0, 192}, {0, 193}, {1, 60}, {1, 0}};
  for (const auto& c : cases) {
    session.headerStyle = c[0];
    session.viewMode = ViewResults;
    size(520, c[1]);
    DibSurface s(520, 200, kUntouched);
    EXPECT_EQ(redrawResults(s.dc()), 0) << c[0] << " " << c[1];
    EXPECT_EQ(inkCount(s, 0, 0, 520, 200, kUntouched), 0) << c[0] << " " << c[1];
  }
}

TEST_F(Compose, CompactLayoutWhenChosen) {
  size(520, 400);
  session.headerStyle = HeaderCompact;
  DibSurface s(520, 400, kUntouched);
  composeScreen(s.dc());
  EXPECT_EQ(s.at(13, 13), colourQueryBorder);  // the compact query field
  EXPECT_EQ(s.at(7, 38), colourFace);          // below the 31-row strip
  session.headerStyle = HeaderFull;
  composeScreen(s.dc());
  EXPECT_EQ(s.at(7, 38), kTextureColour);  // the full header's picture
}

}  // namespace
