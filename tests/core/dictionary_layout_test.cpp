#include "draw/dictionary_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(DictionaryLayout, TitlePlaceAndCut) {
  struct Case {
    int32_t w, titleX, bytes;
  } cases[] = {
      {0, 10, 0},     {17, 10, 0},    {66, 10, 0},   {67, 10, 1},    {116, 10, 1},
      {117, 10, 2},   {369, 10, 7},   {370, 10, 8},  {371, 10, 8},   {390, 10, 8},
      {391, 20, 8},   {520, 85, 8},   {1000, 325, 8}, {-50, 10, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(titleXForWidth(c.w), c.titleX) << "w=" << c.w;
    EXPECT_EQ(titleByteCount(c.w), c.bytes) << "w=" << c.w;
  }
}

TEST(DictionaryLayout, ThresholdsOfTheFullLayout) {
  struct Case {
    int32_t w, h;
    bool lower, languageButton, wide, yes, waitExit;
  } cases[] = {
      {520, 190, false, true, true, false, false},
      {520, 191, true, true, true, true, true},
      {290, 400, true, false, false, false, false},
      {291, 400, true, true, false, false, false},
      {370, 400, true, true, false, false, false},
      {371, 400, true, true, true, true, false},
      {371, 190, false, true, true, false, false},
      {450, 400, true, true, true, true, false},
      {451, 400, true, true, true, true, true},
      {451, 190, false, true, true, false, false},
      {0, 0, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    const FullLayoutParts p = fullLayoutParts(c.w, c.h);
    EXPECT_EQ(p.lowerPart, c.lower) << c.w << "x" << c.h;
    EXPECT_EQ(p.languageButton, c.languageButton) << c.w << "x" << c.h;
    EXPECT_EQ(p.wideLabels, c.wide) << c.w << "x" << c.h;
    EXPECT_EQ(p.yesButtons, c.yes) << c.w << "x" << c.h;
    EXPECT_EQ(p.waitExit, c.waitExit) << c.w << "x" << c.h;
  }
}

TEST(DictionaryLayout, StatusTextByViewMode) {
  struct Case {
    int32_t viewMode, found;
    int length;
    const char* text;
  } cases[] = {
      {0, 7, 32, "Type here the word to search for"},
      {1, 0, 36, "Dictionary has found 0 words for you"},
      {1, 100, 38, "Dictionary has found 100 words for you"},
      {1, -2147483647 - 1, 46, "Dictionary has found -2147483648 words for you"},
      {3, 5, -1, "untouched"},
      {2, 5, -1, "untouched"},
  };
  for (const Case& c : cases) {
    char out[80] = "untouched";
    EXPECT_EQ(statusText(c.viewMode, c.found, out, sizeof out), c.length) << c.viewMode;
    EXPECT_STREQ(out, c.text);
  }
  char small[8];
  EXPECT_EQ(statusText(1, 5, small, sizeof small), 7);
  EXPECT_STREQ(small, "Diction");
}

TEST(DictionaryLayout, ToolbarBands) {
  const int w = 520;
  struct Case {
    int x, y, code;
  } cases[] = {
      {w - 140, 20, ToolbarNone},  {w - 139, 20, ToolbarSearch}, {w - 100, 20, ToolbarSearch},
      {w - 85, 20, ToolbarNone},   {w - 84, 20, ToolbarKeyboard}, {w - 61, 20, ToolbarKeyboard},
      {w - 60, 20, ToolbarNone},   {w - 50, 20, ToolbarOptions}, {w - 35, 20, ToolbarNone},
      {w - 34, 20, ToolbarLanguage}, {w - 20, 20, ToolbarLanguage}, {w - 10, 20, ToolbarNone},
      {100, 20, ToolbarNone},
      // Only the buttons' rows count: a press in the results pane below hits nothing.
      {w - 100, 10, ToolbarNone},  {w - 100, 11, ToolbarSearch}, {w - 100, 34, ToolbarSearch},
      {w - 100, 35, ToolbarNone},  {w - 20, 300, ToolbarNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toolbarCodeAt(w, c.x, c.y), c.code) << "x=w" << c.x - w << " y=" << c.y;
  }
}

TEST(DictionaryLayout, ResultsPaneForBothHeaders) {
  struct Case {
    int32_t style, w, h;
    int left, top, right, bottom;
  } cases[] = {
      {0, 520, 500, 8, 132, 512, 439},
      {1, 520, 500, 8, 53, 512, 492},
      {0, 300, 201, 8, 132, 292, 140},
  };
  for (const Case& c : cases) {
    const PaneRect p = resultsPane(c.style, c.w, c.h);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
    EXPECT_EQ(p.left + p.width, c.right) << "right edge is w - 8";
    EXPECT_EQ(p.top + p.height, c.bottom) << "bottom edge is h - 61 or h - 8";
  }
}

}  // namespace
