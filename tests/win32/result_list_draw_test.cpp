// The result list drawn from a known result file into a DIB: fonts and colours per kind of
// text, the highlight of the query, scrolling and the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "search/result_buffer.h"
#include "search/result_list_win.h"
#include "tests/win32/screen_fixture.h"

namespace {

// Three entries as the search writes them: a Hindi headword (display-face codes), Russian
// text in Windows-1251, a parenthesised note.
const std::string kResultFile =
    "kml \xEB\xEE\xF2\xEE\xF1 (\xF6\xE2\xE5\xF2\xEE\xEA)\r\n"
    "pani \xE2\xEE\xE4\xE0 \xE2\xEE\xE4\xFB\r\n"
    "ghr \xE4\xEE\xEC\r\n";

class ResultListDraw : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    savedBuffer_ = resultBuffer;
    buffer_.assign(kResultBufferSize, 0);
    kResultFile.copy(buffer_.data(), kResultFile.size());
    resultBuffer = buffer_.data();
    session.resultSize = static_cast<int32_t>(kResultFile.size());
    session.viewMode = ViewResults;
    size(520, 400);
  }
  void TearDown() override {
    resultBuffer = savedBuffer_;
    ScreenTest::TearDown();
  }
  void query(const std::string& q) {
    q.copy(session.queryText, q.size());
    session.queryLength = static_cast<int32_t>(q.size());
  }

 private:
  char* savedBuffer_ = nullptr;
  std::vector<char> buffer_;
};

TEST_F(ResultListDraw, KindsOfTextInTheirColours) {
  query("\xE2\xEE");  // highlights the start of both Russian words of the second entry
  DibSurface s(520, 400, kUntouched);
  EXPECT_EQ(drawResultList(s.dc()), 0);
  saveArtefact(s, "result_list");
  // Headwords on rows 130, 158 and 186 in the headword colour, at the left.
  EXPECT_GT(colourCount(s, 10, 130, 60, 160, colourResultHeadword, 40), 10);
  EXPECT_GT(colourCount(s, 10, 158, 70, 186, colourResultHeadword, 40), 10);
  EXPECT_GT(colourCount(s, 10, 186, 60, 214, colourResultHeadword, 40), 10);
  // Russian text and the note in the action colour, right of the headword.
  EXPECT_GT(colourCount(s, 40, 137, 400, 157, colourAction, 40), 10);
  // The match colour only in the second entry's row.
  EXPECT_EQ(colourCount(s, 0, 130, 520, 158, colourResultMatch, 40), 0);
  EXPECT_GT(colourCount(s, 40, 165, 400, 185, colourResultMatch, 40), 10);
  EXPECT_EQ(colourCount(s, 0, 186, 520, 400, colourResultMatch, 40), 0);
  // Nothing left of x 10 and nothing under the third entry.
  EXPECT_EQ(inkCount(s, 0, 0, 10, 400, kUntouched), 0);
  EXPECT_EQ(inkCount(s, 0, 230, 520, 400, kUntouched), 0);
  EXPECT_EQ(inkCount(s, 0, 0, 520, 130, kUntouched), 0);
}

TEST_F(ResultListDraw, ScrollingMovesTheEntriesUp) {
  DibSurface top(520, 400, kUntouched), scrolled(520, 400, kUntouched);
  drawResultList(top.dc());
  session.scrollLine = 1;
  drawResultList(scrolled.dc());
  // The second and third entries move up by the 28 pixels of the first. The entry that
  // becomes the pane's first line also moves one pixel left: only the first line starts its
  // pen at 0, later lines at 1.
  int compared = 0;
  for (int y = 161; y < 240; ++y) {
    if (y >= 186 && y < 190) continue;  // where the two entries' cells overlap
    const int dx = y < 186 ? 1 : 0;
    for (int x = 1; x < 520; ++x) {
      if (top.at(x, y) != kUntouched) ++compared;
      ASSERT_EQ(scrolled.at(x - dx, y - 28), top.at(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(compared, 50);
}

TEST_F(ResultListDraw, NothingDrawnOutsideItsLimits) {
  struct Case {
    const char* name;
    int32_t resultSize, scrollLine, headerStyle, height;
  } cases[] = {
      {"nothing found", 0, 0, 0, 400},
      {"failed load", -1, 0, 0, 400},
      {"scrolled past the end", static_cast<int32_t>(kResultFile.size()), 3, 0, 400},
      {"full header, height 215", static_cast<int32_t>(kResultFile.size()), 0, 0, 215},
      {"compact header, height 88", static_cast<int32_t>(kResultFile.size()), 0, 1, 88},
  };
  for (const Case& c : cases) {
    session.resultSize = c.resultSize;
    session.scrollLine = c.scrollLine;
    session.headerStyle = c.headerStyle;
    size(520, c.height);
    DibSurface s(520, c.height, kUntouched);
    drawResultList(s.dc());
    EXPECT_EQ(inkCount(s, 0, 0, 520, c.height, kUntouched), 0) << c.name;
  }
}

// A line without spaces (binary data) is one token wider than the pane: it stops at the
// pane's right edge (x 512) and leaves the frame around the pane clean.
TEST_F(ResultListDraw, TokensWiderThanThePaneStopAtItsEdge) {
  const std::string wide = std::string(200, 'W') + "\r\nx\r\n";
  std::copy(wide.begin(), wide.end(), resultBuffer);
  session.resultSize = static_cast<int32_t>(wide.size());
  DibSurface s(520, 400, kUntouched);
  drawResultList(s.dc());
  saveArtefact(s, "result_list_wide_token");
  EXPECT_GT(colourCount(s, 400, 132, 512, 160, colourResultHeadword, 40), 10);
  EXPECT_EQ(inkCount(s, 512, 0, 520, 400, kUntouched), 0) << "right frame";
  EXPECT_EQ(inkCount(s, 0, 0, 520, 132, kUntouched), 0) << "upper frame and header";
}

TEST_F(ResultListDraw, CompactHeaderStartsAt51) {
  session.headerStyle = HeaderCompact;
  DibSurface s(520, 400, kUntouched);
  drawResultList(s.dc());
  EXPECT_EQ(inkCount(s, 0, 0, 520, 53, kUntouched), 0) << "the compact pane starts at 53";
  EXPECT_GT(colourCount(s, 10, 51, 60, 81, colourResultHeadword, 40), 10);
}

TEST_F(ResultListDraw, WithoutABufferNothingIsDrawn) {
  resultBuffer = nullptr;
  DibSurface s(520, 400, kUntouched);
  drawResultList(s.dc());
  EXPECT_EQ(inkCount(s, 0, 0, 520, 400, kUntouched), 0);
}

}  // namespace
