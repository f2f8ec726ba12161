#include "draw/dictionary_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include <cstring>
#include <string>

#include "base/session_state.h"

namespace {

TEST(DictionaryLayout, TitlePlaceAndCut) {
  struct Case {
    int32_t w, titleX, bytes;
  } cases[] = {
      {0, 10, 0},   {17, 10, 0},  {66, 10, 0},    {67, 10, 1},  {116, 10, 1},
      {117, 10, 2}, {369, 10, 7}, {370, 10, 8},   {371, 10, 8}, {390, 10, 8},
      {391, 20, 8}, {520, 85, 8}, {1000, 325, 8}, {-50, 10, 0},
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
      {520, 190, false, true, true, false, false},  {520, 191, true, true, true, true, true},
      {290, 400, true, false, false, false, false}, {291, 400, true, true, false, false, false},
      {370, 400, true, true, false, false, false},  {371, 400, true, true, true, true, false},
      {371, 190, false, true, true, false, false},  {450, 400, true, true, true, true, false},
      {451, 400, true, true, true, true, true},     {451, 190, false, true, true, false, false},
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
    int32_t foundBy = FoundAsTyped;
  } cases[] = {
      {0, 7, 32, "Type here the word to search for"},
      {1, 0, 36, "Dictionary has found 0 words for you"},
      {1, 100, 38, "Dictionary has found 100 words for you"},
      {1, -2147483647 - 1, 46, "Dictionary has found -2147483648 words for you"},
      {3, 5, -1, "untouched"},
      {2, 5, -1, "untouched"},
      {1, 4, 46, "Not found as typed; Phonetic has found 4 words", FoundByPhoneticFallback},
      {1, 2, 46, "Phonetic has found 2 words for the copied text", FoundCopiedByPhonetic},
      {0, 2, 32, "Type here the word to search for", FoundByPhoneticFallback},
  };
  for (const Case& c : cases) {
    char out[80] = "untouched";
    EXPECT_EQ(statusText(c.viewMode, c.found, out, sizeof out, c.foundBy), c.length) << c.viewMode;
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
      {w - 140, 20, ToolbarNone},
      {w - 139, 20, ToolbarSearch},
      {w - 100, 20, ToolbarSearch},
      {w - 85, 20, ToolbarNone},
      {w - 84, 20, ToolbarKeyboard},
      {w - 61, 20, ToolbarKeyboard},
      {w - 60, 20, ToolbarNone},
      {w - 50, 20, ToolbarOptions},
      {w - 35, 20, ToolbarNone},
      {w - 34, 20, ToolbarLanguage},
      {w - 20, 20, ToolbarLanguage},
      {w - 10, 20, ToolbarNone},
      {100, 20, ToolbarNone},
      // Only the buttons' rows count: a press in the results pane below hits nothing.
      {w - 100, 10, ToolbarNone},
      {w - 100, 11, ToolbarSearch},
      {w - 100, 34, ToolbarSearch},
      {w - 100, 35, ToolbarNone},
      {w - 20, 300, ToolbarNone},
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

// The header tables: where each control sits, what a press on it leaves, and where its
// caption goes when pressed (the language button's and "Yes, in another language." move left).
TEST(DictionaryLayout, FullHeaderControls) {
  const int w = 520, h = 500, titleX = 85;
  struct Case {
    int which, code, left, top, right, bottom, captionX, captionY, pressedDx;
    const char* caption;
  } cases[] = {
      {FullSearch, PressedSearch, w - 90, 50, w - 30, 75, w - 81, 52, 1, "Search"},
      {FullLanguage, PressedLanguage, w - 60, 26, w - 10, 47, w - 50, 26, -1, "Hindi"},
      {FullKeyboard, PressedRaiseThree, 10, 80, w - 10, 100, titleX + 4, 80, 1,
       "Click here to type with the help of keyboard support (hindi)"},
      {FullOptions, PressedRaiseThree, w - 30, 50, w - 10, 75, w - 25, 60, 1, nullptr},
      {FullSameLanguage, PressedRaiseThree, 10, h - 31, 175, h - 8, 16, h - 30, 1,
       "Yes, in the same language."},
      {FullAnotherLanguage, PressedLanguage, 185, h - 31, 350, h - 8, 193, h - 30, -1,
       "Yes, in another language."},
      {FullWait, PressedNothing, w - 100, h - 31, w - 60, h - 8, w - 96, h - 30, 1, "Wait"},
      {FullExit, PressedNothing, w - 50, h - 31, w - 10, h - 8, w - 46, h - 30, 1, "Exit"},
  };
  for (const Case& c : cases) {
    const HeaderControl k = fullHeaderControl(c.which, w, h, titleX, 0);
    EXPECT_EQ(k.code, c.code) << c.which;
    EXPECT_EQ((std::vector<int>{k.left, k.top, k.right, k.bottom, k.captionX, k.captionY,
                                k.pressedDx, k.pressedDy}),
              (std::vector<int>{c.left, c.top, c.right, c.bottom, c.captionX, c.captionY,
                                c.pressedDx, 1}))
        << c.which;
    EXPECT_STREQ(k.caption, c.caption) << c.which;
    EXPECT_TRUE(k.shown && k.answers) << c.which;
    EXPECT_TRUE(controlHit(k, k.left + 1, k.bottom - 1)) << c.which;
    EXPECT_FALSE(controlHit(k, k.left, k.bottom - 1)) << "bounds are exclusive " << c.which;
  }
  // With Hindi chosen the language button names Russian, two pixels further left.
  const HeaderControl russian = fullHeaderControl(FullLanguage, w, h, titleX, 1);
  EXPECT_STREQ(russian.caption, "Russian");
  EXPECT_EQ(russian.captionX, w - 58);
  EXPECT_EQ(russian.ink, colourRussian);
  // Narrow windows: Wait and Exit neither show nor answer at 450; the language button and
  // the "Yes" buttons answer where they are not drawn; the short keyboard label.
  const HeaderControl wait = fullHeaderControl(FullWait, 450, h, 10, 0);
  EXPECT_FALSE(wait.shown || wait.answers);
  EXPECT_FALSE(controlHit(wait, 450 - 80, h - 20));
  const HeaderControl language = fullHeaderControl(FullLanguage, 290, h, 10, 0);
  EXPECT_TRUE(!language.shown && language.answers);
  const HeaderControl same = fullHeaderControl(FullSameLanguage, 370, h, 10, 0);
  EXPECT_TRUE(!same.shown && same.answers);
  EXPECT_STREQ(fullHeaderControl(FullKeyboard, 370, h, 10, 0).caption, "Keyboard support");
}

TEST(DictionaryLayout, CompactToolbarControls) {
  const int w = 520;
  const HeaderControl search = compactToolbarControl(ToolbarSearch, w);
  EXPECT_STREQ(search.caption, "Search");
  EXPECT_STREQ(search.pressedCaption, "search") << "pressed, written in lower case";
  EXPECT_EQ(search.captionX + search.pressedDx, w - 130);
  const HeaderControl language = compactToolbarControl(ToolbarLanguage, w);
  EXPECT_STREQ(language.hindiMark, "w");
  EXPECT_EQ(language.ink, colourToolbarRussian);
  EXPECT_EQ(language.captionX + language.pressedDx, w - 30);
  EXPECT_EQ(compactToolbarControl(ToolbarOptions, w).caption, nullptr);
  EXPECT_EQ(compactToolbarControl(ToolbarNone, w).answers, false);
}

TEST(DictionaryLayout, TinyWindowsHaveNoPaneAndTheWheelScrollsByThree) {
  EXPECT_FALSE(paneHasArea(resultsPane(0, 520, 192)));
  EXPECT_FALSE(paneHasArea(resultsPane(0, 520, 193)));
  EXPECT_TRUE(paneHasArea(resultsPane(0, 520, 194)));
  EXPECT_FALSE(paneHasArea(resultsPane(1, 16, 500)));
  EXPECT_FALSE(paneHasArea(resultsPane(0, 0, 0))) << "a minimised window";
  const int deltas[][2] = {{120, 3}, {-120, -3}, {240, 6}, {40, 1}, {39, 0}, {-80, -2}, {0, 0}};
  for (const auto& d : deltas) EXPECT_EQ(wheelScrollLines(d[0]), d[1]) << d[0];
}

}  // namespace
