// Pixel tests of the dictionary screen in both header styles, at the width and height
// thresholds, painted into a DIB section of the client size.
#include <gtest/gtest.h>

#include <string>

#include "draw/dictionary_layout.h"
#include "draw/dictionary_screen_win.h"
#include "tests/win32/screen_fixture.h"

namespace {

class FullScreen : public ScreenTest {};
class CompactScreen : public ScreenTest {};

TEST_F(FullScreen, ElementsAppearAtTheirThresholds) {
  struct Case {
    int w, h;
    bool lower, languageButton, wideLabel, yes, waitExit;
  } cases[] = {
      {290, 400, true, false, false, false, false}, {291, 400, true, true, false, false, false},
      {370, 400, true, true, false, false, false},  {371, 400, true, true, true, true, false},
      {450, 400, true, true, true, true, false},    {451, 400, true, true, true, true, true},
      {520, 190, false, true, true, false, false},  {520, 191, true, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    size(c.w, c.h);
    DibSurface s(c.w, c.h, kUntouched);
    EXPECT_EQ(paintFullDictionaryScreen(s.dc()), 1);
    saveArtefact(s, "full_" + std::to_string(c.w) + "x" + std::to_string(c.h));
    const int w = c.w, h = c.h;
    // Always: outer frame, header picture frame and picture, the query field.
    EXPECT_EQ(s.at(0, 0), colourFace);
    EXPECT_EQ(s.at(1, 1), colourHighlight);
    EXPECT_EQ(s.at(6, 6), colourShadow);
    EXPECT_EQ(s.at(7, 7), kTextureColour);
    EXPECT_EQ(s.at(w - 8, 118), kTextureColour);
    EXPECT_EQ(s.at(13, 53), colourQueryBorder);
    // The lower part: grooves, pane frame, footer picture.
    EXPECT_EQ(s.at(10, 124) == colourShadow, c.lower);
    EXPECT_EQ(s.at(10, 126) == colourHighlight, c.lower);
    EXPECT_EQ(s.at(6, 130) == colourShadow, c.lower);
    EXPECT_EQ(s.at(7, h - 48) == kTextureColour, c.lower);
    // Buttons: the top-left highlight of their raised frames.
    EXPECT_EQ(s.at(w - 59, 27) == colourHighlight, c.languageButton);
    EXPECT_EQ(s.at(11, h - 30) == colourHighlight, c.yes);
    EXPECT_EQ(s.at(186, h - 30) == colourHighlight, c.yes);
    EXPECT_EQ(s.at(w - 61, h - 20) == colourShadow, c.waitExit);
    EXPECT_EQ(s.at(w - 11, h - 20) == colourShadow, c.waitExit);
    // The long keyboard label reaches far right on the bar; the short one ends near x 110.
    EXPECT_EQ(inkCount(s, 150, 83, 250, 98, colourFace) > 0, c.wideLabel);
    const int labelX = c.wideLabel ? titleXForWidth(w) + 4 : 14;
    EXPECT_GT(inkCount(s, labelX, 83, labelX + 40, 98, colourFace), 0);
    // "Change it to" on the texture left of the language button.
    EXPECT_EQ(colourCount(s, w - 135, 28, w - 70, 46, colourLabel, 30) > 0, c.wideLabel);
    // Footer question on the footer picture.
    EXPECT_EQ(colourCount(s, 10, h - 48, 120, h - 32, colourLabel, 30) > 0, c.lower);
  }
}

TEST_F(FullScreen, TitlePlaceAndCut) {
  struct Case {
    int w, titleX;
  } cases[] = {{370, 10}, {390, 10}, {391, 20}, {520, 85}};
  for (const Case& c : cases) {
    size(c.w, 400);
    DibSurface s(c.w, 400, kUntouched);
    paintFullDictionaryScreen(s.dc());
    EXPECT_EQ(session.titleX, c.titleX) << c.w;
    const int left = leftmost(s, 6, 24, colourTitle);
    EXPECT_GE(left, c.titleX) << c.w;
    EXPECT_LE(left, c.titleX + 6) << c.w;
  }
  // Narrow windows cut the title from the right; below 67 pixels none is left.
  auto titleRight = [this](int w) {
    size(w, 400);
    DibSurface s(w, 400, kUntouched);
    paintFullDictionaryScreen(s.dc());
    return rightmost(s, 6, 24, colourTitle);
  };
  EXPECT_GT(titleRight(370), titleRight(369));
  EXPECT_GT(titleRight(369), titleRight(300));
  EXPECT_GT(titleRight(67), 9);
  EXPECT_EQ(titleRight(66), -1);
}

TEST_F(FullScreen, LanguageNamesAndStatusText) {
  struct Case {
    int language, view, found;
    COLORREF current, other;
    bool status;
    const char* message;
  } cases[] = {
      {1, 0, 0, colourHindi, colourRussian, true, ""},
      {0, 1, 0, colourRussian, colourHindi, true, "Dictionary has found 0 words for you"},
      {0, 1, 42, colourRussian, colourHindi, true, "Dictionary has found 42 words for you"},
      {0, 3, 42, colourRussian, colourHindi, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language * 100 + c.view);
    size(520, 400);
    session.searchLanguage = c.language;
    session.viewMode = c.view;
    session.foundCount = c.found;
    session.messageText[0] = 0;
    DibSurface s(520, 400, kUntouched);
    paintFullDictionaryScreen(s.dc());
    EXPECT_GT(colourCount(s, 133, 26, 230, 46, c.current, 40), 5);
    EXPECT_EQ(colourCount(s, 133, 26, 230, 46, c.other, 40), 0);
    EXPECT_GT(colourCount(s, 461, 28, 510, 46, c.other, 40), 5);
    EXPECT_EQ(inkCount(s, 10, 101, 300, 118, kTextureColour) > 0, c.status);
    EXPECT_STREQ(session.messageText, c.message);
  }
}

TEST_F(FullScreen, HeaderRepaintLeavesPaneAndFooterAlone) {
  size(520, 400);
  DibSurface s(520, 400, kUntouched);
  session.searchLanguage = 1;
  EXPECT_EQ(paintFullHeader(s.dc()), 1);
  EXPECT_EQ(s.at(0, 0), kUntouched);          // no outer frame
  EXPECT_EQ(s.at(10, 124), kUntouched);       // no groove
  EXPECT_EQ(s.at(260, 250), kUntouched);      // pane
  EXPECT_EQ(s.at(20, 375), kUntouched);       // footer
  EXPECT_EQ(s.at(7, 7), kTextureColour);      // header picture
  EXPECT_EQ(s.at(461, 27), colourHighlight);  // language button
  EXPECT_GT(colourCount(s, 133, 26, 230, 46, colourHindi, 40), 5);
  session.searchLanguage = 0;
  paintFullHeader(s.dc());
  EXPECT_GT(colourCount(s, 133, 26, 230, 46, colourRussian, 40), 5);
  EXPECT_EQ(colourCount(s, 133, 26, 230, 46, colourHindi, 40), 0);
}

TEST_F(CompactScreen, StripButtonsAndPane) {
  const int w = 520, h = 300;
  size(w, h);
  session.headerStyle = HeaderCompact;
  DibSurface s(w, h, kUntouched);
  EXPECT_EQ(paintCompactDictionaryScreen(s.dc()), 1);
  saveArtefact(s, "compact_520x300");
  EXPECT_EQ(s.at(1, 1), colourHighlight);
  EXPECT_EQ(s.at(6, 6), colourShadow);    // strip frame
  EXPECT_EQ(s.at(7, 7), kTextureColour);  // strip picture, rows 7..37
  EXPECT_EQ(s.at(w - 8, 37), kTextureColour);
  EXPECT_NE(s.at(w - 8, 38), kTextureColour);
  EXPECT_EQ(s.at(10, 44), colourShadow);  // groove on row 45
  EXPECT_EQ(s.at(10, 46), colourHighlight);
  EXPECT_EQ(s.at(6, 51), colourShadow);  // sunken pane frame
  EXPECT_EQ(s.at(w - 7, h - 7), colourHighlight);
  for (int left : {w - 140, w - 85, w - 60, w - 35})
    EXPECT_EQ(s.at(left + 1, 11), colourHighlight) << left;
  EXPECT_EQ(s.at(13, 13), colourQueryBorder);  // query field 40 higher
  EXPECT_EQ(s.at(w - 156, 20), colourQueryField);
  EXPECT_EQ(colourCount(s, w - 31, 11, w - 12, 33, colourToolbarRussian, 30) > 0, true);
  EXPECT_EQ(colourCount(s, w - 31, 11, w - 12, 33, colourToolbarHindi, 30) > 0, true);
  // No title, no labels, no status line.
  EXPECT_EQ(colourCount(s, 0, 0, w, h, colourTitle, 30), 0);
}

TEST_F(CompactScreen, HitTestBandsAndPressedLooks) {
  const int w = 520, h = 300;
  size(w, h);
  session.headerStyle = HeaderCompact;
  struct Case {
    int x, y, code, left;
  } cases[] = {
      {w - 100, 20, 1, w - 140}, {w - 70, 20, 2, w - 85}, {w - 50, 20, 3, w - 60},
      {w - 20, 20, 4, w - 35},   {w - 85, 20, 0, 0},      {w - 60, 20, 0, 0},
      {w - 35, 20, 0, 0},        {w - 100, 200, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x - w) + "," + std::to_string(c.y));
    DibSurface s(w, h, kUntouched);
    paintCompactDictionaryScreen(s.dc());
    const auto before = s.snapshot();
    EXPECT_EQ(compactToolbarHitTest(s.dc(), c.x, c.y), c.code);
    if (c.code == 0) {
      EXPECT_TRUE(before == s.snapshot()) << "a miss draws nothing";
      continue;
    }
    EXPECT_EQ(s.at(c.left + 1, 11), colourShadow);  // sunken now
    EXPECT_EQ(s.at(c.left + 5, 34), colourHighlight);
    paintCompactToolbar(s.dc());
    EXPECT_EQ(s.at(c.left + 1, 11), colourHighlight);  // released again
    EXPECT_EQ(s.at(c.left + 5, 34), colourShadow);
  }
}

TEST_F(CompactScreen, PressedCaptionsMoveOnePixelAndSearchTurnsLowerCase) {
  const int w = 520, h = 300;
  size(w, h);
  session.headerStyle = HeaderCompact;
  DibSurface released(w, h, kUntouched), kb(w, h, kUntouched), search(w, h, kUntouched);
  paintCompactDictionaryScreen(released.dc());
  paintCompactDictionaryScreen(kb.dc());
  paintCompactDictionaryScreen(search.dc());
  compactToolbarHitTest(kb.dc(), w - 70, 20);
  compactToolbarHitTest(search.dc(), w - 100, 20);
  // Every ink pixel of the released "Kb" reappears one pixel right and one down.
  int inked = 0;
  for (int y = 12; y < 32; ++y)
    for (int x = w - 83; x < w - 62; ++x)
      if (closeTo(released.at(x, y), colourLabel, 30)) {
        ++inked;
        EXPECT_EQ(kb.at(x + 1, y + 1), released.at(x, y)) << x << "," << y;
      }
  EXPECT_GT(inked, 4);
  // "search" has no capital: its topmost ink lies lower than that of "Search".
  auto topInk = [&](const DibSurface& s) {
    for (int y = 11; y < 34; ++y)
      if (colourCount(s, w - 135, y, w - 87, y + 1, colourLabel, 30) > 0) return y;
    return -1;
  };
  EXPECT_GT(topInk(released), 0);
  EXPECT_GT(topInk(search), topInk(released) + 1);
}

}  // namespace
