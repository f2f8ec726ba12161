// The query field on a DIB: frame, fill, text and caret in both header styles, and the
// caret index of a click measured in the line's font.
#include <gtest/gtest.h>

#include <cstring>

#include "query/query_line_win.h"
#include "tests/win32/screen_fixture.h"

namespace {

class QueryLineDraw : public ScreenTest {
 protected:
  void setQuery(const char* text, int caret) {
    const int n = static_cast<int>(std::strlen(text));
    std::memcpy(session.queryText, text, n);
    session.queryLength = n;
    session.caretIndex = caret;
  }
  int prefixWidth(HDC dc, HFONT font, int n) {
    SelectObject(dc, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, session.queryText, n, &extent);
    return extent.cx;
  }
};

TEST_F(QueryLineDraw, FieldAndCaretInBothHeaderStyles) {
  struct Case {
    int style;
    const char* text;
    int caret;
  } cases[] = {{0, "", 0}, {0, "abc", 3}, {0, "abc", 1}, {1, "", 0}, {1, "abc", 2}};
  const int w = 520;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " style " + std::to_string(c.style));
    size(w, 300);
    session.headerStyle = c.style;
    setQuery(c.text, c.caret);
    DibSurface s(w, 300, kUntouched);
    EXPECT_EQ(drawQueryLine(s.dc()), 1);
    const int up = 40 * c.style, right = w - 100 - 50 * c.style;
    EXPECT_EQ(s.at(10, 50 - up), colourFace);
    EXPECT_EQ(s.at(11, 51 - up), colourShadow);  // sunken frame
    EXPECT_EQ(s.at(right - 1, 74 - up), colourHighlight);
    EXPECT_EQ(s.at(right, 60 - up), kUntouched);      // nothing right of the frame
    EXPECT_EQ(s.at(13, 53 - up), colourQueryBorder);  // field outline
    EXPECT_EQ(s.at(right - 4, 71 - up), colourQueryBorder);
    EXPECT_EQ(s.at(right - 5, 60 - up), colourQueryField);
    const int cx = prefixWidth(s.dc(), kit.fontUi, c.caret) + 15;
    for (int y = 55 - up; y < 70 - up; ++y)
      EXPECT_EQ(s.at(cx, y), colourShadow) << "caret row " << y;
    EXPECT_NE(s.at(cx, 70 - up), colourShadow) << "the caret's end point is not painted";
    EXPECT_EQ(colourCount(s, 15, 52 - up, 60, 72 - up, colourLabel, 20) > 0, c.text[0] != 0);
  }
}

TEST_F(QueryLineDraw, RedrawCoversTheOldTextAndCaret) {
  size(520, 300);
  setQuery("wwwwwwww", 8);
  DibSurface s(520, 300, kUntouched);
  drawQueryLine(s.dc());
  const int oldCaret = prefixWidth(s.dc(), kit.fontUi, 8) + 15;
  session.queryLength = 0;
  session.caretIndex = 0;
  drawQueryLine(s.dc());
  EXPECT_EQ(colourCount(s, 15, 52, 200, 72, colourLabel, 20), 0);
  EXPECT_EQ(s.at(oldCaret, 60), colourQueryField);
  EXPECT_EQ(s.at(15, 60), colourShadow);
}

TEST_F(QueryLineDraw, CaretIndexAtXUsesTheLanguageFont) {
  size(520, 300);
  setQuery("mmmm", 0);
  DibSurface s(520, 300, kUntouched);
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    session.searchLanguage = language;
    HFONT font = language == 1 ? kit.fontHindi : kit.fontUi;
    const int one = prefixWidth(s.dc(), font, 1), two = prefixWidth(s.dc(), font, 2);
    const int all = prefixWidth(s.dc(), font, 4);
    ASSERT_GT(one, 1);
    EXPECT_EQ(caretIndexAtX(s.dc(), 11), 0);
    EXPECT_EQ(caretIndexAtX(s.dc(), 15 + one - 1), 0);  // right half of the first byte
    EXPECT_EQ(caretIndexAtX(s.dc(), 15 + one), 1);
    EXPECT_EQ(caretIndexAtX(s.dc(), 15 + two), 2);
    EXPECT_EQ(caretIndexAtX(s.dc(), 15 + all + 50), 4);
  }
  session.queryLength = 0;
  EXPECT_EQ(caretIndexAtX(s.dc(), 200), 0);
}

}  // namespace
