#include "hindi/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Cp1251, KnownCharacters) {
  struct Case {
    unsigned char byte;
    uint32_t codePoint;
  } cases[] = {
      {0x41, 0x0041}, {0x80, 0x0402}, {0x88, 0x20AC}, {0x98, 0x0098}, {0x99, 0x2122},
      {0xA0, 0x00A0}, {0xA5, 0x0490}, {0xA8, 0x0401}, {0xB8, 0x0451}, {0xB9, 0x2116},
      {0xBF, 0x0457}, {0xC0, 0x0410}, {0xDF, 0x042F}, {0xE0, 0x0430}, {0xFF, 0x044F},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1251CodePoint(c.byte), c.codePoint) << int(c.byte);
    EXPECT_EQ(cp1251ByteOf(c.codePoint), c.byte) << int(c.byte);
  }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string utf8 = cp1251ToUtf8(all), back, error;
  ASSERT_TRUE(utf8ToCp1251(utf8, back, error)) << error;
  EXPECT_EQ(back, all);
  // Distinct bytes give distinct characters.
  for (int a = 0x80; a < 256; ++a) {
    for (int b = a + 1; b < 256; ++b) ASSERT_NE(cp1251CodePoint(a), cp1251CodePoint(b));
  }
}

TEST(Cp1251, RussianWords) {
  std::string out, error;
  ASSERT_TRUE(utf8ToCp1251("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD1\x91\xD0\xB6!",
                           out, error));
  EXPECT_EQ(out, "\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xE6!");
  EXPECT_EQ(cp1251ToUtf8("\xEE\xF8\xE8\xE1\xEA\xE0"),
            "\xD0\xBE\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0");
}

TEST(Cp1251, RefusesWhatItCannotRepresentAndSaysWhere) {
  struct Case {
    std::string utf8, error;
  } cases[] = {
      {"ab\xE4\xB8\xAD", "byte 2: U+4E2D \"\xE4\xB8\xAD\" has no Windows-1251 code"},
      {"\xC3\xA9", "byte 0: U+00E9 \"\xC3\xA9\" has no Windows-1251 code"},
      {"x\xF0\x9F\x98\x80", "byte 1: U+1F600 \"\xF0\x9F\x98\x80\" has no Windows-1251 code"},
      {"a\x80", "byte 1: not valid UTF-8"},             // stray continuation byte
      {"\xC0\x80", "byte 0: not valid UTF-8"},          // overlong zero
      {"ab\xD0", "byte 2: not valid UTF-8"},            // cut short
      {"\xED\xA0\x80", "byte 0: not valid UTF-8"},      // surrogate
      {"\xF4\x90\x80\x80", "byte 0: not valid UTF-8"},  // beyond U+10FFFF
      {"\xFF", "byte 0: not valid UTF-8"},
  };
  for (const auto& c : cases) {
    std::string out = "unchanged", error;
    EXPECT_FALSE(utf8ToCp1251(c.utf8, out, error)) << c.error;
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(out, "unchanged");
  }
}

}  // namespace
