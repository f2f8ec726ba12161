#include "query/clipboard_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/session_state.h"

namespace {

using Q = ClipboardQuery;

std::u16string u16(const char* utf8) { return utf8ToUtf16(utf8); }

struct Case {
  const char* text;  // UTF-8 as another program would put it on the clipboard
  Q outcome;
  std::string bytes;
  int language;
};

// Face codes: प 70, ा 61, न 6E, ी 59, घ 47, र 72, द 64, ू 55, ध 44, क 6B, म 6D.
TEST(ClipboardText, PastedTextBecomesQueryBytes) {
  const Case cases[] = {
      {"पानी", Q::Ready, "panY", 1},
      {"  \tघर\r\n", Q::Ready, "Gr", 1},               // spaces and line end dropped
      {"\xC2\xA0दूध\xE2\x80\x89", Q::Ready, "dUD", 1},  // no-break and thin spaces
      {"дом", Q::Ready, "\xE4\xEE\xEC", 0},
      {"Чёрный", Q::Ready, "\xD7\xB8\xF0\xED\xFB\xE9", 0},
      {"kam  karna", Q::Ready, "kam karna", kKeepLanguage},  // Latin kept, one space inside
      {"दूध, молоко", Q::MixedScripts, "", kKeepLanguage},
      // Latin beside Hindi would be typed as Hindi letters (पानीपानी डातेर): refused too.
      {"पानी water", Q::MixedScripts, "", kKeepLanguage},
      {"काम (kam)", Q::MixedScripts, "", kKeepLanguage},
      {"पानी 2", Q::Ready, "panY 2", 1},  // digits are no letters
      {"घर\nдом", Q::MultiLine, "", kKeepLanguage},
      {"a\tb", Q::MultiLine, "", kKeepLanguage},
      {"中文", Q::NotEncodable, "", kKeepLanguage},
      {"café", Q::NotEncodable, "", kKeepLanguage},
      {" \r\n ", Q::Empty, "", kKeepLanguage},
      {"", Q::Empty, "", kKeepLanguage},
      {"abcdefghijklmnopqrstuvwxyzABCDEF", Q::Ready, "abcdefghijklmnopqrstuvwxyzABCDEF",
       kKeepLanguage},  // exactly 32 bytes
      {"abcdefghijklmnopqrstuvwxyzABCDEFG", Q::TooLong, "", kKeepLanguage},
      {"ддддддддддддддддддддддддддддддддд", Q::TooLong, "", kKeepLanguage},  // 33 letters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ClipboardQueryText r = queryFromPastedText(u16(c.text));
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.bytes, c.bytes);
    EXPECT_EQ(r.language, c.language);
    if (r.outcome != Q::Ready) {
      EXPECT_STRNE(clipboardQueryMessage(r.outcome), "");
    }
  }
}

TEST(ClipboardText, TrackedTextIsOneWordOrShortPhrase) {
  const Case cases[] = {
      {"«पानी»।", Q::Ready, "panY", 1},
      {"(дом),", Q::Ready, "\xE4\xEE\xEC", 0},
      {"\"kitab\"...", Q::Ready, "kitab", kKeepLanguage},
      {"— 1999 —", Q::NoLetters, "", kKeepLanguage},
      {"?!", Q::Empty, "", kKeepLanguage},
      {"घर का काम", Q::Ready, "Gr ka kam", 1},
      {"one two three four", Q::TooManyWords, "", kKeepLanguage},
      {"line one\nline two", Q::MultiLine, "", kKeepLanguage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ClipboardQueryText r = queryFromTrackedText(u16(c.text));
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.bytes, c.bytes);
    EXPECT_EQ(r.language, c.language);
  }
  EXPECT_TRUE(queryFromTrackedText(u16("kitab")).latin);
  EXPECT_FALSE(queryFromTrackedText(u16("дом")).latin);
  // A paragraph copied from a page is no lookup, whatever it holds.
  std::string paragraph;
  for (int i = 0; i < 100; ++i) paragraph += "word ";
  EXPECT_NE(queryFromTrackedText(u16(paragraph.c_str())).outcome, Q::Ready);
}

TEST(ClipboardText, PastedBytesGoInAtTheCaretOrNotAtAll) {
  const struct {
    std::string line;
    int32_t caret;
    std::string pasted;
    bool fits;
    std::string after;
    int32_t caretAfter;
  } cases[] = {
      {"", 0, "panY", true, "panY", 4},
      {"ab", 1, "XY", true, "aXYb", 3},
      {"ab", 2, "XY", true, "abXY", 4},
      {std::string(30, 'a'), 0, "XY", true, "XY" + std::string(30, 'a'), 2},  // just fits
      {std::string(31, 'a'), 5, "XY", false, std::string(31, 'a'), 5},        // one too many
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line + "|" + c.pasted);
    char text[kQueryCapacity + 4];
    std::memset(text, '#', sizeof text);
    std::memcpy(text, c.line.data(), c.line.size());
    int32_t length = static_cast<int32_t>(c.line.size()), caret = c.caret;
    EXPECT_EQ(insertQueryBytes(text, kQueryCapacity, length, caret, c.pasted), c.fits);
    EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)), c.after);
    EXPECT_EQ(caret, c.caretAfter);
    EXPECT_EQ(std::string(text + kQueryCapacity, 4), "####");  // nothing past the line
  }
}

TEST(ClipboardText, Utf16RoundTripKeepsSurrogatesAndMarksBrokenOnes) {
  const std::string text = "घर дом 𝄞 a";
  EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
  EXPECT_EQ(utf8ToUtf16(text).size(), 11u);  // the clef takes two units
  EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', 0, u'b'}), "a");  // the clipboard's terminator
  EXPECT_EQ(utf8ToUtf16("\xFF"
                        "a"),
            (std::u16string{0xFFFD, u'a'}));
  EXPECT_EQ(utf8ToUtf16("\xE0\xA4"), (std::u16string{0xFFFD, 0xFFFD}));  // cut short
}

TEST(ClipboardText, ResultLineAtCountsLinesAndDropsTheLineEnd) {
  const std::string buffer = "Gr (ghar) \xE4\xEE\xEC\r\nkam (kam) x\r\n\r\nlast";
  const struct {
    int line;
    bool found;
    std::string text;
  } cases[] = {
      {0, true, "Gr (ghar) \xE4\xEE\xEC"},
      {1, true, "kam (kam) x"},
      {2, false, ""},
      {3, true, "last"},
      {4, false, ""},
      {-1, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string out;
    EXPECT_EQ(resultLineAt(buffer.data(), static_cast<int32_t>(buffer.size()), c.line, out),
              c.found);
    if (c.found) {
      EXPECT_EQ(out, c.text);
    }
  }
  std::string out;
  EXPECT_FALSE(resultLineAt(buffer.data(), 0, 0, out));
  EXPECT_FALSE(resultLineAt(buffer.data(), -1, 0, out));  // a failed load
}

TEST(ClipboardText, CopiedTextIsUnicode) {
  EXPECT_EQ(utf16ToUtf8(resultLineToUnicode("Gr (ghar) \xE4\xEE\xEC, \xE6\xE8\xEB\xE8\xF9\xE5")),
            "घर (ghar) дом, жилище");
  EXPECT_EQ(utf16ToUtf8(teacherPairToUnicode("panY", "\xE2\xEE\xE4\xE0")), "पानी\tвода");
  // rus.tea is Windows-1251 text: Latin stays Latin.
  EXPECT_EQ(utf16ToUtf8(teacherPairToUnicode("panY", "paanee")), "पानी\tpaanee");
}

TEST(ClipboardText, KeysThatPasteAndCopy) {
  const int insert = 0x2D;
  const struct {
    int key;
    bool control, shift;
    ClipboardKey action;
  } cases[] = {
      {'V', true, false, ClipboardKey::Paste},    {insert, false, true, ClipboardKey::Paste},
      {'C', true, false, ClipboardKey::Copy},     {insert, true, false, ClipboardKey::Copy},
      {'V', false, false, ClipboardKey::None},    {'C', false, true, ClipboardKey::None},
      {insert, false, false, ClipboardKey::None}, {insert, true, true, ClipboardKey::None},
      {'X', true, false, ClipboardKey::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(clipboardKeyFor(c.key, c.control, c.shift), c.action);
  }
}

}  // namespace
