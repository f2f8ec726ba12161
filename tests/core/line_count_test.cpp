#include "search/line_count.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "base/session_state.h"
#include "search_test_support.h"

namespace {

TEST(LineCount, CountsLineEndsAsTheSearchReadsThem) {
  struct Case {
    std::string dictionary;
    int64_t lines;
  } cases[] = {
      {"a\r\nb\r\nc\r\n", 3},
      {"a\r\nb\r\nc", 2},  // a last line without LF is not counted
      {"", 0},
      {"a\r\nb\r\n\x1A"
       "c\r\n",
       2},  // 0x1A ends the count
      {"\x1A\n", 0},
      {"a\nb\n", 2},  // bare LF lines
      {"a\rb\r", 0},  // lone CR is no line end
      {"\r\n\r\n\n", 3},
  };
  ScratchDir dir;
  std::string path = dir.file("dictiona.dat");
  for (const auto& c : cases) {
    writeRawFile(path.c_str(), c.dictionary);
    EXPECT_EQ(countLineEnds(path.c_str()), c.lines) << c.dictionary;
  }
}

TEST(LineCount, LargeFileAcrossBlocks) {
  std::string dictionary;
  for (int i = 0; i < 40000; ++i) dictionary += (i % 7 ? "word\r\n" : "\xE0\xE1\n");
  ScratchDir dir;
  std::string path = dir.file("dictiona.dat");
  writeRawFile(path.c_str(), dictionary);
  EXPECT_EQ(countLineEnds(path.c_str()), 40000);
}

TEST(LineCount, ReportAndScrollLine) {
  ScratchDir dir;
  std::string path = dir.file("dictiona.dat");
  writeRawFile(path.c_str(), "a\r\nb\r\n");
  session.scrollLine = 9;
  EXPECT_EQ(countDictionaryFile(path.c_str()), 1);
  EXPECT_STREQ(session.messageText, "Found 2 words in data file of dictionary");
  EXPECT_EQ(session.scrollLine, 0);

  // A missing dictionary and a folder in its place are both reported as an error, not as 0.
  std::string missing = dir.file("none.dat");
  std::string folder = dir.file("folder.dat");
  std::filesystem::create_directory(folder);
  for (const std::string& path : {missing, folder}) {
    session.scrollLine = 4;
    EXPECT_EQ(countDictionaryFile(path.c_str()), 0) << path;
    EXPECT_STREQ(session.messageText, "\xEE\xF8\xE8\xE1\xEA\xE0");
    EXPECT_EQ(session.scrollLine, 0);
  }
  EXPECT_EQ(countLineEnds(missing.c_str()), kCountMissing);
  EXPECT_EQ(countLineEnds(folder.c_str()), kCountNotRegular);
}

}  // namespace
