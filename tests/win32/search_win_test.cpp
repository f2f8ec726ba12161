// The search command as the program runs it: files named relative to the working directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/search_test_support.h"
#include "search/search_win.h"

namespace {

TEST(SearchCommand, SearchesTheWorkingDirectory) {
  ScratchDir dir;
  char previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.file("").c_str()));
  GuardedResultBuffer buffer;
  writeRawFile("dictiona.dat",
               "kaam (kam) \xF0\xE0\xE1\xEE\xF2\xE0\r\nghar (ghar) \xE4\xEE\xEC\r\n");
  setQuery("\xE4\xEE\xEC", Exact);
  int result = searchDictionary();
  std::string f2;
  bool read = readRawFile("f2.tc", f2);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(read);
  EXPECT_EQ(f2, "ghar (ghar) \xE4\xEE\xEC\r\n");
  EXPECT_EQ(session.foundCount, 1);
  EXPECT_EQ(session.resultSize, static_cast<int>(f2.size()));
  EXPECT_EQ(std::string(resultBuffer, f2.size()), f2);
}

}  // namespace
