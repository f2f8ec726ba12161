// Composition of the dictionary screen: which pane fill runs for which view, and the
// 200-pixel height below which the pane shows nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/compose_win.h"
#include "search/result_buffer.h"
#include "teacher/teacher_lists.h"
#include "teacher/teacher_lists_win.h"
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

// Hindi words with nuktas (लड़का, पढ़ना, क़लम, ज़रूर) and u-signs (दूध, सूरज, भूख, फूल) in the
// teacher view: what each line hangs below its baseline stays as the line alone draws it,
// whole and untouched by the next line, on a paint and on the redraw after a key press (the
// pane's frame redrawn, then the lists). Each line's reference is the same path with empty
// lists plus that line written alone where the layout puts it.
TEST_F(Compose, TeacherLinesKeepTheirLowerSigns) {
  const std::vector<std::string> words = {"lXka",   "dUD", "p\\na",  "sUrj",
                                          "\x94lm", "BUK", "z\x90r", "PUl"};
  struct Path {
    const char* name;
    const char* artefact;
    int (*draw)(HDC dc);
  } paths[] = {
      {"paint", "paint", [](HDC dc) { return composeScreen(dc); }},
      {"key press", "key",
       [](HDC dc) {
         SetBkMode(dc, TRANSPARENT);
         clearResultsPane(dc);
         return drawTeacherLists(dc);
       }},
  };
  char previous[MAX_PATH], temp[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "vartolik_lower_signs_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  const auto writeLists = [&](bool empty) {
    std::string hin, rus;
    for (const std::string& w : words) {
      hin += (empty ? "" : w) + "\r\n";
      rus += std::string(empty ? "" : "\xE0\xE1") + "\r\n";
    }
    for (const auto& [name, text] : {std::pair{"hin.tea", hin}, std::pair{"rus.tea", rus}}) {
      std::FILE* f = std::fopen(name, "wb");
      ASSERT_NE(f, nullptr);
      std::fwrite(text.data(), 1, text.size(), f);
      std::fclose(f);
    }
  };
  size(520, 504);
  session.viewMode = ViewTeacher;
  TEXTMETRICA metrics;
  {
    DibSurface probe(10, 10, kUntouched);
    SelectObject(probe.dc(), kit.fontHeadword);
    GetTextMetricsA(probe.dc(), &metrics);
  }
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    writeLists(true);
    DibSurface blank(520, 504, kUntouched), all(520, 504, kUntouched);
    path.draw(blank.dc());
    writeLists(false);
    path.draw(all.dc());
    saveArtefact(all, std::string("teacher_lower_signs_") + path.artefact);
    for (std::size_t k = 0; k < words.size(); ++k) {
      SCOPED_TRACE(words[k]);
      const int y = kTeacherFirstY + kTeacherLineHeight * static_cast<int>(k);
      DibSurface alone(520, 504, kUntouched);
      BitBlt(alone.dc(), 0, 0, 520, 504, blank.dc(), 0, 0, SRCCOPY);
      SetBkMode(alone.dc(), TRANSPARENT);
      SetTextColor(alone.dc(), colourAction);
      HGDIOBJ old = SelectObject(alone.dc(), kit.fontHeadword);
      TextOutA(alone.dc(), kTeacherHindiX, y, words[k].data(), static_cast<int>(words[k].size()));
      SelectObject(alone.dc(), old);
      // The lower signs: the line's own ink below its baseline. Within their box (a pixel
      // wider at each side) the whole list must look exactly like the line alone.
      const int top = y + metrics.tmAscent, bottom = y + metrics.tmHeight;
      int left = 520, right = 0, lower = 0;
      for (int py = top; py < bottom; ++py)
        for (int px = 0; px < 260; ++px)
          if (alone.at(px, py) != blank.at(px, py)) {
            ++lower;
            left = std::min(left, px - 1);
            right = std::max(right, px + 2);
          }
      EXPECT_GT(lower, 2) << "the word hangs signs below its baseline";
      int differing = 0;
      for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px)
          if (all.at(px, py) != alone.at(px, py)) ++differing;
      EXPECT_EQ(differing, 0) << "pixels around " << lower << " pixels of lower signs";
    }
  }
  for (const char* name : {"hin.tea", "rus.tea", "hintea.bak", "rustea.bak"}) DeleteFileA(name);
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(folder.c_str());
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
