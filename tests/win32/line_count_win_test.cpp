// "Quantity of words": the report goes to the status line only on the full dictionary screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/session_state.h"
#include "search/search_win.h"
#include "tests/core/search_test_support.h"
#include "tests/win32/dib_surface.h"

namespace {

bool statusBandChanged(const DibSurface& s, COLORREF background) {
  for (int y = 95; y < 125; ++y) {
    for (int x = 0; x < s.width(); ++x) {
      if (s.at(x, y) != background) return true;
    }
  }
  return false;
}

TEST(LineCountCommand, DrawsTheReportOnlyOnTheFullHeader) {
  struct Case {
    int16_t dictionaryActive;
    int32_t headerStyle;
    bool dictionaryPresent;
    int result;
    bool drawn;
  } cases[] = {
      {1, HeaderFull, true, 1, true},
      {1, HeaderCompact, true, 1, false},
      {0, HeaderFull, true, 1, false},
      {1, HeaderFull, false, 0, false},
  };
  ScratchDir dir;
  char previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.file("").c_str()));
  const COLORREF background = RGB(1, 2, 3);
  for (const Case& c : cases) {
    if (c.dictionaryPresent) {
      writeRawFile("dictiona.dat", "a\r\nb\r\nc\r\n");
    } else {
      DeleteFileA("dictiona.dat");
    }
    session.dictionaryActive = c.dictionaryActive;
    session.headerStyle = c.headerStyle;
    session.clientWidth = 400;
    session.scrollLine = 5;
    DibSurface surface(400, 200, background);
    EXPECT_EQ(countDictionaryLines(surface.dc()), c.result);
    EXPECT_EQ(statusBandChanged(surface, background), c.drawn)
        << c.dictionaryActive << " " << c.headerStyle << " " << c.dictionaryPresent;
    EXPECT_EQ(session.scrollLine, 0);
    EXPECT_STREQ(session.messageText, c.dictionaryPresent
                                          ? "Found 3 words in data file of dictionary"
                                          : "\xEE\xF8\xE8\xE1\xEA\xE0");
    if (c.drawn) saveForInspection(surface, "line_count_status");
  }
  SetCurrentDirectoryA(previous);
  session.dictionaryActive = 0;
  session.headerStyle = HeaderFull;
}

}  // namespace
