#include "search/result_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Fixed widths per font, different for each so a run measured in the wrong font shows.
int perByte(ResultFont f) {
  switch (f) {
    case ResultFont::Headword: return 10;
    case ResultFont::Hindi: return 7;
    case ResultFont::Note: return 5;
    default: return 6;
  }
}
const RunWidth fixedWidth = [](ResultFont f, const char*, int n) { return perByte(f) * n; };

struct Options {
  std::string query;
  int32_t scrollLine = 0, headerStyle = 0, width = 520, height = 500;
  int32_t size = -2;  // -2: the length of the text
};

std::vector<TextRun> layout(const std::string& text, const Options& o = Options()) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back(0);
  char token[80];
  ResultLayoutInput in{buffer.data(),
                       o.size == -2 ? static_cast<int32_t>(text.size()) : o.size,
                       static_cast<int32_t>(text.size()),
                       o.scrollLine,
                       o.headerStyle,
                       o.width,
                       o.height,
                       o.query.data(),
                       static_cast<int32_t>(o.query.size()),
                       token,
                       sizeof token};
  std::vector<TextRun> runs;
  layoutResultList(in, fixedWidth, runs);
  return runs;
}

const char* fontName(ResultFont f) {
  switch (f) {
    case ResultFont::Headword: return "headword";
    case ResultFont::Hindi: return "hindi";
    case ResultFont::Note: return "note";
    default: return "ui";
  }
}

// Short names for the colours of the list.
constexpr Colour H = colourResultHeadword, A = colourAction, D = colourResultHindi,
                 M = colourResultMatch;

struct Expected {
  ResultFont font;
  Colour colour;
  int x, y;
  std::string bytes;
};

void expectRuns(const std::vector<TextRun>& got, const std::vector<Expected>& want,
                const std::string& name) {
  ASSERT_EQ(got.size(), want.size()) << name;
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(fontName(got[i].font), std::string(fontName(want[i].font))) << name << " run " << i;
    EXPECT_EQ(got[i].colour, want[i].colour) << name << " run " << i;
    EXPECT_EQ(got[i].x, want[i].x) << name << " run " << i;
    EXPECT_EQ(got[i].y, want[i].y) << name << " run " << i;
    EXPECT_EQ(got[i].bytes, want[i].bytes) << name << " run " << i;
  }
}

constexpr ResultFont Hw = ResultFont::Headword, Ui = ResultFont::Ui, Hi = ResultFont::Hindi,
                     Nt = ResultFont::Note;

TEST(IsHindiByte, ClassBoundsAndExceptions) {
  struct Case {
    unsigned b;
    bool hindi;
  } cases[] = {
      {0x00, false}, {0x20, false}, {0x31, false}, {0x3F, false}, {0x40, true},  {0x41, true},
      {0x48, true},  {0x49, false}, {0x4A, true},  {0x5B, false}, {0x5C, true},  {0x5D, false},
      {0x61, true},  {0x7E, false}, {0x7F, true},  {0xA7, true},  {0xA8, false}, {0xA9, true},
      {0xB0, false}, {0xB8, false}, {0xBF, true},  {0xC0, false}, {0xE0, false}, {0xFF, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(isHindiByte(static_cast<unsigned char>(c.b)), c.hindi) << std::hex << c.b;
}

TEST(ResultLayout, TokensStatesAndSteps) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<Expected> runs;
  } cases[] = {
      {"headword, plain russian, next entry",
       "ab \xE0\xE1\r\nef\r\n",
       {{Hw, H, 10, 130, "ab"}, {Ui, A, 45, 137, "\xE0\xE1"}, {Hw, H, 11, 158, "ef"}}},
      {"cyrillic headword keeps the headword font",
       "\xE0\xE1 \xE2\r\n",
       {{Hw, H, 10, 130, "\xE0\xE1"}, {Ui, A, 45, 137, "\xE2"}}},
      {"two spaces leave an empty token worth 15",
       "ab \xE0  \xE1\r\n",
       {{Hw, H, 10, 130, "ab"}, {Ui, A, 45, 137, "\xE0"}, {Ui, A, 81, 137, "\xE1"}}},
      {"headword alone steps 21 only",
       "ab\r\ncd\r\n",
       {{Hw, H, 10, 130, "ab"}, {Hw, H, 11, 151, "cd"}}},
      {"latin and cyrillic in one plain token make hindi text",
       "h \xE0"
       "a\xE1 \xE2\r\n",
       {{Hw, H, 10, 130, "h"},
        {Hi, D, 35, 137,
         "\xE0"
         "a\xE1"},
        {Ui, A, 71, 137, "\xE2"}}},
      {"tab belongs to the token", "a\tb\r\n", {{Hw, H, 10, 130, "a\tb"}}},
      {"note (abc)",
       "h (abc) z\r\n",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "("},
        {Nt, A, 42, 137, "abc"},
        {Ui, A, 57, 137, ")"},
        {Hi, D, 79, 137, "z"}}},
      {"note (abc), keeps the comma before the parenthesis",
       "h (abc), z\r\n",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "("},
        {Nt, A, 42, 137, "abc,"},
        {Ui, A, 62, 137, ")"},
        {Hi, D, 84, 137, "z"}}},
      {"1(2) becomes a note without a parenthesis drawn apart",
       "h 1(2) z\r\n",
       {{Hw, H, 10, 130, "h"},
        {Nt, A, 35, 137, "1(2"},
        {Ui, A, 50, 137, ")"},
        {Hi, D, 72, 137, "z"}}},
      {"a note spans spaces",
       "h (ab cd) z\r\n",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "("},
        {Nt, A, 42, 137, "ab"},
        {Nt, A, 67, 137, "cd"},
        {Ui, A, 77, 137, ")"},
        {Hi, D, 99, 137, "z"}}},
      {"an unclosed note ends at the line end",
       "h (ab\r\ncd\r\n",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "("},
        {Nt, A, 42, 137, "ab"},
        {Hw, H, 11, 158, "cd"}}},
      {"a leading ( in a headword is drawn apart but stays a headword",
       "(ab) \xE0\r\n",
       {{Ui, A, 10, 130, "("}, {Hw, H, 17, 130, "ab)"}, {Ui, A, 62, 137, "\xE0"}}},
      {"hindi text returns to plain at a space",
       "h ab \xE0\r\n",
       {{Hw, H, 10, 130, "h"}, {Hi, D, 35, 137, "ab"}, {Ui, A, 64, 137, "\xE0"}}},
      {"the last line without a line end loses its last token",
       "ab\r\ncd",
       {{Hw, H, 10, 130, "ab"}}},
      {"a token cut by the end of the buffer", "ab \xE0\xE1", {{Hw, H, 10, 130, "ab"}}},
  };
  for (const Case& c : cases) expectRuns(layout(c.text), c.runs, c.name);
}

TEST(ResultLayout, Wrapping) {
  Options narrow;
  narrow.width = 200;  // tokens ending past x 100 wrap
  struct Case {
    const char* name;
    std::string text;
    std::vector<Expected> runs;
  } cases[] = {
      {"wrap between tokens",
       "h \xE0\xE0\xE0\xE0\xE0 \xE1\xE1\xE1\xE1\xE1 \xE2\r\n",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "\xE0\xE0\xE0\xE0\xE0"},
        {Ui, A, 80, 137, "\xE1\xE1\xE1\xE1\xE1"},
        {Ui, A, 50, 153, "\xE2"}}},
      {"wrap at the CR puts the next entry 16 + 21 lower",
       "abcdefghij\r\nxy\r\n",
       {{Hw, H, 10, 130, "abcdefghij"}, {Hw, H, 11, 167, "xy"}}},
      {"no wrap at a bare LF",
       "abcdefghij\nxy\r\n",
       {{Hw, H, 10, 130, "abcdefghij"}, {Hw, H, 11, 151, "xy"}}},
  };
  for (const Case& c : cases) expectRuns(layout(c.text, narrow), c.runs, c.name);
}

TEST(ResultLayout, Highlights) {
  struct Case {
    const char* name;
    std::string text, query;
    std::vector<Expected> runs;
  } cases[] = {
      {"a*c matches abc and axc, drawn with the token's bytes",
       "h xabcyaxc\r\n",
       "a*c",
       {{Hw, H, 10, 130, "h"},
        {Hi, D, 35, 137, "xabcyaxc"},
        {Hi, M, 42, 137, "abc"},
        {Hi, M, 70, 137, "axc"}}},
      {"aa in aaa at offsets 0 and 1",
       "h aaa\r\n",
       "aa",
       {{Hw, H, 10, 130, "h"},
        {Hi, D, 35, 137, "aaa"},
        {Hi, M, 35, 137, "aa"},
        {Hi, M, 42, 137, "aa"}}},
      {"in the headword font",
       "abc \xE0\r\n",
       "b",
       {{Hw, H, 10, 130, "abc"}, {Hw, M, 20, 130, "b"}, {Ui, A, 55, 137, "\xE0"}}},
      {"query longer than the token",
       "h ab\r\n",
       "abc",
       {{Hw, H, 10, 130, "h"}, {Hi, D, 35, 137, "ab"}}},
      {"empty query highlights nothing",
       "h ab\r\n",
       "",
       {{Hw, H, 10, 130, "h"}, {Hi, D, 35, 137, "ab"}}},
      {"after a leading parenthesis, in the note font",
       "h (xab)\r\n",
       "ab",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "("},
        {Nt, A, 42, 137, "xab"},
        {Nt, M, 47, 137, "ab"},
        {Ui, A, 57, 137, ")"}}},
      {"cyrillic query in plain text",
       "h \xE0\xE1\xE0\xE1\r\n",
       "\xE1",
       {{Hw, H, 10, 130, "h"},
        {Ui, A, 35, 137, "\xE0\xE1\xE0\xE1"},
        {Ui, M, 41, 137, "\xE1"},
        {Ui, M, 53, 137, "\xE1"}}},
  };
  for (const Case& c : cases) {
    Options o;
    o.query = c.query;
    expectRuns(layout(c.text, o), c.runs, c.name);
  }
}

TEST(ResultLayout, NothingDrawn) {
  const std::string text = "aa\r\nbb\r\ncc\r\n";
  struct Case {
    const char* name;
    Options options;
  } cases[] = {
      {"size 0",
       [] {
         Options o;
         o.size = 0;
         return o;
       }()},
      {"size -1",
       [] {
         Options o;
         o.size = -1;
         return o;
       }()},
      {"size 1: its only byte is the last",
       [] {
         Options o;
         o.size = 1;
         return o;
       }()},
      {"scroll to the end",
       [] {
         Options o;
         o.scrollLine = 3;
         return o;
       }()},
      {"scroll far past the end",
       [] {
         Options o;
         o.scrollLine = 1000;
         return o;
       }()},
      {"full header, height 215",
       [] {
         Options o;
         o.height = 215;
         return o;
       }()},
      {"compact header, height 88",
       [] {
         Options o;
         o.headerStyle = 1;
         o.height = 88;
         return o;
       }()},
      {"minimised",
       [] {
         Options o;
         o.width = 0;
         o.height = 0;
         return o;
       }()},
  };
  for (const Case& c : cases) EXPECT_TRUE(layout(text, c.options).empty()) << c.name;
}

TEST(ResultLayout, ScrollLineSkipsWholeLines) {
  const std::string text = "aa\r\nbb\r\ncc\r\n";
  for (int line = 0; line < 3; ++line) {
    Options o;
    o.scrollLine = line;
    const std::vector<TextRun> runs = layout(text, o);
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(3 - line)) << line;
    EXPECT_EQ(runs[0].bytes, std::string(2, static_cast<char>('a' + line)));
    EXPECT_EQ(runs[0].x, 10);
    EXPECT_EQ(runs[0].y, 130);
  }
}

TEST(ResultLayout, BottomLimitByHeaderStyle) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "ab\r\n";
  struct Case {
    int32_t headerStyle, height;
    std::size_t rows;
    int firstY, lastY;
  } cases[] = {
      {0, 216, 1, 130, 130},  // limit 131: the first row only
      {0, 300, 5, 130, 214},  // limit 215: rows 130..214
      {1, 89, 1, 51, 51},     // limit 52
      {1, 300, 11, 51, 261},  // limit 263: 48 pixels more than under the full header
  };
  for (const Case& c : cases) {
    Options o;
    o.headerStyle = c.headerStyle;
    o.height = c.height;
    const std::vector<TextRun> runs = layout(text, o);
    ASSERT_EQ(runs.size(), c.rows) << c.headerStyle << "/" << c.height;
    EXPECT_EQ(runs.front().y, c.firstY);
    EXPECT_EQ(runs.back().y, c.lastY);
    EXPECT_LT(runs.back().y, resultListBottomLimit(c.headerStyle, c.height));
  }
}

TEST(ResultLayout, StopsOnceAPlainRowReachesTheLimit) {
  Options o;
  o.height = 216;  // limit 131: the headword at 130 is drawn, the row at 137 is not
  expectRuns(layout("ab \xE0\xE1\r\n", o), {{Hw, H, 10, 130, "ab"}}, "limit");
}

TEST(ResultLayout, LongTokenIsCutToTheScratch) {
  const std::string longRun(100, '\xE0');
  {
    const std::vector<TextRun> runs = layout("h " + longRun + " \xE1\r\n");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].bytes, std::string(79, '\xE0'));
    // 25 + 79 * 6 + 15 ends past 520 - 100: the next token wraps.
    EXPECT_EQ(runs[2].x, 50);
    EXPECT_EQ(runs[2].y, 153);
  }
  {
    // The closing parenthesis past the cut still ends the note.
    const std::vector<TextRun> runs = layout("h (" + longRun + ") \xE1\r\n");
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[1].bytes, "(");
    EXPECT_EQ(runs[2].bytes, std::string(78, '\xE0'));
    EXPECT_EQ(runs[3].bytes, ")");
    EXPECT_EQ(runs[4].font, ResultFont::Ui);
  }
}

}  // namespace
