#include "base/text_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string readTranslated(const std::string& raw) {
  const char* path = "text_stream_test.tmp";
  EXPECT_TRUE(writeRawFile(path, raw));
  std::string out;
  {
    TextReader r(path);
    EXPECT_TRUE(r.isOpen());
    for (int c; (c = r.get()) >= 0;) out.push_back(static_cast<char>(c));
  }
  std::string bulk;
  {
    TextReader r(path);
    char buf[3];  // small on purpose: runs and CR LF pairs cross the chunk edges
    for (std::size_t n; (n = r.read(buf, sizeof buf)) > 0;) bulk.append(buf, n);
  }
  EXPECT_EQ(out, bulk) << "byte-wise and block-wise reading disagree";
  std::remove(path);
  return out;
}

TEST(TextReader, TranslatesLikeTextMode) {
  struct Case {
    std::string raw, expected;
  } cases[] = {
      {"", ""},
      {"ab\r\ncd\r\n", "ab\ncd\n"},
      {"a\rb", "a\rb"},        // a lone CR stays
      {"a\r", "a\r"},          // lone CR at the end of the file
      {"a\r\r\nb", "a\r\nb"},  // CR before a CR LF pair
      {"a\nb", "a\nb"},        // a bare LF stays
      {"ab\x1A"
       "cd",
       "ab"},  // 0x1A ends the file
      {"\x1A", ""},
      {"a\r\x1A\n", "a\r"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"\xC0\xFF\x80", "\xC0\xFF\x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(readTranslated(c.raw), c.expected) << c.raw;
}

TEST(TextReader, LargeFileAcrossBufferBoundary) {
  std::string raw, expected;
  for (int i = 0; i < 50000; ++i) {
    raw += "word\r\n";
    expected += "word\n";
  }
  EXPECT_EQ(readTranslated(raw), expected);
}

TEST(TextReader, MissingFileIsNotOpen) {
  TextReader r("no-such-file.txt");
  EXPECT_FALSE(r.isOpen());
  EXPECT_EQ(r.get(), -1);
}

TEST(TextWriter, StoresLfAsCrLfAndAppends) {
  const char* path = "text_writer_test.tmp";
  {
    TextWriter w(path, "w");
    ASSERT_TRUE(w.isOpen());
    w.write("ab\ncd", 5);
    w.put('\n');
    w.put('\r');
    EXPECT_TRUE(w.close());
  }
  {
    TextWriter w(path, "a");
    w.write("x\n", 2);
  }
  std::string raw;
  ASSERT_TRUE(readRawFile(path, raw));
  EXPECT_EQ(raw, "ab\r\ncd\r\n\rx\r\n");
  std::remove(path);
}

}  // namespace
