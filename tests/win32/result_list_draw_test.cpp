// The result list drawn from a known result file into a DIB: fonts and colours per kind of
// text, the highlight of the query, scrolling and the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "draw/dictionary_layout.h"
#include "search/result_buffer.h"
#include "search/result_layout.h"
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
  EXPECT_EQ(inkCount(s, 0, 0, 520, 130, kUntouched), 0) << "upper frame and header";
}

// The Hindi faces reach within a pixel of a row's top (short i 0x69, reph 0x5E) and hang
// u-signs (0x55, 0x75) to its bottom; Russian Й and Ё carry their marks at the top. The first
// row starts two pixels above the pane and the last one may end below it: every pixel the list
// makes between the pane's left and right edges is drawn, in the first row and in the last.
// The reference is the same layout written run by run with no clip at all.
TEST_F(ResultListDraw, FirstAndLastRowsKeepEveryGlyph) {
  std::string lines;
  for (int i = 0; i < 20; ++i) lines += "i^kUu \xC9\xA8\xC9 \xE9\xB8\xEB\xEA (\xC9\xA8)\r\n";
  std::copy(lines.begin(), lines.end(), resultBuffer);
  session.resultSize = static_cast<int32_t>(lines.size());
  struct Case {
    const char* name;
    int32_t headerStyle, height;
    bool endsBelowThePane;  // the last row's deep signs pass the pane's bottom edge
  } cases[] = {
      // Headword rows every 28 pixels from 130; at 384 the last one starts at 298 (limit 299)
      // and its cell ends at 328, below the pane's bottom edge at 323.
      {"full header, last row at the limit", HeaderFull, 384, true},
      {"full header, last row higher", HeaderFull, 370, false},
      {"compact header", HeaderCompact, 369, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session.headerStyle = c.headerStyle;
    size(520, c.height);
    DibSurface drawn(520, c.height, kUntouched), reference(520, c.height, kUntouched);
    drawResultList(drawn.dc());
    char token[kMessageTextSize];
    const ResultLayoutInput in{resultBuffer,
                               session.resultSize,
                               static_cast<int32_t>(kResultBufferSize),
                               0,
                               c.headerStyle,
                               520,
                               c.height,
                               session.queryText,
                               0,
                               token,
                               kMessageTextSize};
    std::vector<TextRun> runs;
    HDC dc = reference.dc();
    const auto fontOf = [](ResultFont f) {
      return f == ResultFont::Headword ? kit.fontHeadword
             : f == ResultFont::Hindi  ? kit.fontHindi
             : f == ResultFont::Note   ? kit.fontNote
                                       : kit.fontUi;
    };
    layoutResultList(
        in,
        [&](ResultFont f, const char* bytes, int n) {
          SelectObject(dc, fontOf(f));
          SIZE extent = {0, 0};
          GetTextExtentPointA(dc, bytes, n, &extent);
          return static_cast<int>(extent.cx);
        },
        runs);
    SetBkMode(dc, TRANSPARENT);
    for (const TextRun& run : runs) {
      SelectObject(dc, fontOf(run.font));
      SetTextColor(dc, run.colour);
      TextOutA(dc, run.x, run.y, run.bytes.data(), static_cast<int>(run.bytes.size()));
    }
    const PaneRect pane = resultsPane(c.headerStyle, 520, c.height);
    const int right = pane.left + pane.width, bottom = pane.top + pane.height;
    EXPECT_GT(inkCount(reference, pane.left, 0, right, pane.top, kUntouched), 0)
        << "the first row reaches above the pane";
    EXPECT_EQ(inkCount(reference, pane.left, bottom, right, c.height, kUntouched) > 0,
              c.endsBelowThePane);
    int lost = 0, ink = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = pane.left; x < right; ++x) {
        if (reference.at(x, y) == kUntouched) continue;
        ++ink;
        if (drawn.at(x, y) != reference.at(x, y)) ++lost;
      }
    EXPECT_GT(ink, 1000);
    EXPECT_EQ(lost, 0) << "of " << ink << " pixels";
    EXPECT_EQ(inkCount(drawn, 0, 0, pane.left, c.height, kUntouched), 0) << "left frame";
    EXPECT_EQ(inkCount(drawn, right, 0, 520, c.height, kUntouched), 0) << "right frame";
  }
}

TEST_F(ResultListDraw, CompactHeaderStartsAt51) {
  session.headerStyle = HeaderCompact;
  DibSurface s(520, 400, kUntouched);
  drawResultList(s.dc());
  EXPECT_EQ(inkCount(s, 0, 0, 520, 51, kUntouched), 0);
  EXPECT_GT(colourCount(s, 10, 51, 60, 81, colourResultHeadword, 40), 10);
}

TEST_F(ResultListDraw, WithoutABufferNothingIsDrawn) {
  resultBuffer = nullptr;
  DibSurface s(520, 400, kUntouched);
  drawResultList(s.dc());
  EXPECT_EQ(inkCount(s, 0, 0, 520, 400, kUntouched), 0);
}

}  // namespace
