#include "hindi/devanagari.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string codes(const std::string& utf8) {
  std::string out;
  DevanagariError e;
  EXPECT_EQ(devanagariToCodes(utf8, out, e), 1) << describeDevanagariError(e);
  return out;
}

// Words in UTF-8 (written as bytes) and the codes the faces draw them with.
struct Case {
  const char* name;
  const char* utf8;
  const char* codes;
};

const Case cases[] = {
    // plain consonants and vowel signs
    {"kamal", "\xE0\xA4\x95\xE0\xA4\xAE\xE0\xA4\xB2", "kml"},
    {"aam: a + aa sign", "\xE0\xA4\x86\xE0\xA4\xAE", "Aam"},
    {"o sign as aa + e", "\xE0\xA4\x95\xE0\xA5\x8B", "kae"},
    {"ai letter as e + e sign", "\xE0\xA4\x90", "Fe"},
    {"om: independent o", "\xE0\xA4\x93\xE0\xA4\xAE", "om"},
    // short i before its cluster, even a cluster of half forms
    {"kitab", "\xE0\xA4\x95\xE0\xA4\xBF\xE0\xA4\xA4\xE0\xA4\xBE\xE0\xA4\xAC", "iktab"},
    {"short i before half form", "\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA5\xE0\xA4\xBF", "i\xB2T"},
    // half forms, conjuncts, rakar forms, reph
    {"half sa", "\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\x95\xE0\xA5\x82\xE0\xA4\xB2", "\xB2kUl"},
    {"ksha conjunct", "\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7", "\x80"},
    {"half ksha before ma", "\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7\xE0\xA5\x8D\xE0\xA4\xAE",
     "\xB4m"},
    {"pra: stem rakar", "\xE0\xA4\xAA\xE0\xA5\x8D\xE0\xA4\xB0", "p{"},
    {"tra conjunct, not ta + rakar", "\xE0\xA4\xA4\xE0\xA5\x8D\xE0\xA4\xB0", "\x81"},
    {"shtra: half ssa, tta, round rakar",
     "\xE0\xA4\xB7\xE0\xA5\x8D\xE0\xA4\x9F\xE0\xA5\x8D\xE0\xA4\xB0", "\xB1q\x91"},
    {"dharm: reph after the syllable", "\xE0\xA4\xA7\xE0\xA4\xB0\xE0\xA5\x8D\xE0\xA4\xAE", "Dm^"},
    {"karyon: reph after o sign, before anusvara",
     "\xE0\xA4\x95\xE0\xA4\xBE\xE0\xA4\xB0\xE0\xA5\x8D\xE0\xA4\xAF\xE0\xA5\x8B\xE0\xA4\x82",
     "kayae^M"},
    {"rus: ra + uu ligature", "\xE0\xA4\xB0\xE0\xA5\x82\xE0\xA4\xB8", "\x90s"},
    // nukta: both spellings give the same codes
    {"za precomposed", "\xE0\xA5\x9B", "z"},
    {"za decomposed", "\xE0\xA4\x9C\xE0\xA4\xBC", "z"},
    {"ya + nukta: no glyph, sign after", "\xE0\xA4\xAF\xE0\xA4\xBC", "y`"},
    {"virama before nukta is reordered", "\xE0\xA4\x9C\xE0\xA5\x8D\xE0\xA4\xBC\xE0\xA4\xAF",
     "\xB3y"},
    // no glyph for the cluster: full consonant and visible halant
    {"dga", "\xE0\xA4\xA6\xE0\xA5\x8D\xE0\xA4\x97", "d_g"},
    {"final halant", "\xE0\xA4\x95\xE0\xA5\x8D", "k_"},
    {"ZWNJ keeps the halant", "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8C\xE0\xA4\xB7", "k_x"},
    {"ZWJ asks for the half form", "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D", "\x99"},
    // digits, dandas, ASCII
    {"digits and danda", "\xE0\xA5\xA7\xE0\xA5\xA8 \xE0\xA5\xA4 12.", "\xB6\xB7 | 12."},
};

TEST(Devanagari, EncodesWordsToCodes) {
  for (const Case& c : cases) EXPECT_EQ(codes(c.utf8), c.codes) << c.name;
}

TEST(Devanagari, DecodesCodesBackToNfc) {
  for (const Case& c : cases) {
    std::string back = codesToDevanagari(c.codes);
    EXPECT_EQ(codes(back), c.codes) << c.name;
  }
  // canonical forms come back exactly; the precomposed nukta letter comes back decomposed
  EXPECT_EQ(codesToDevanagari("Dm^"), "\xE0\xA4\xA7\xE0\xA4\xB0\xE0\xA5\x8D\xE0\xA4\xAE");
  EXPECT_EQ(codesToDevanagari("z"), "\xE0\xA4\x9C\xE0\xA4\xBC");
  EXPECT_EQ(codesToDevanagari("n`"), "\xE0\xA4\xA9");  // NFC keeps nnna composed
  EXPECT_EQ(codesToDevanagari("k_x"), "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8C\xE0\xA4\xB7");
  EXPECT_EQ(codesToDevanagari("d_g"), "\xE0\xA4\xA6\xE0\xA5\x8D\xE0\xA4\x97");  // no joiner needed
}

TEST(Devanagari, DecodesOddSequencesWithoutLosingBytes) {
  const struct {
    const char* codes;
    const char* utf8;
  } odd[] = {
      {"i", "\xE0\xA4\xBF"},                                     // short i with nothing after it
      {"^", "\xE0\xA4\xB0\xE0\xA5\x8D"},                         // reph alone
      {"M", "\xE0\xA4\x82"},                                     // anusvara alone
      {"\x99", "\xE0\xA4\x95\xE0\xA5\x8D\xE2\x80\x8D"},          // half form at the end
      {"I[]~", "I[]~"},                                          // ASCII kept out of the class
      {"\xA8\xB0\xB8\xC0", "\xD0\x81\xC2\xB0\xD1\x91\xD0\x90"},  // 1251 bytes in a Hindi token
  };
  for (const auto& o : odd) EXPECT_EQ(codesToDevanagari(o.codes), o.utf8) << o.codes;
}

TEST(Devanagari, EveryHindiCodeDecodesAndEncodesBack) {
  for (int b = 0; b < 256; ++b) {
    unsigned char byte = static_cast<unsigned char>(b);
    std::string one(1, static_cast<char>(byte));
    std::string text = codesToDevanagari(one);
    EXPECT_FALSE(text.empty()) << b;
    if (!isHindiCode(byte)) continue;
    // reph and rakar alone have no consonant to attach to: they read as ra + virama
    // and virama + ra, which on their own are written with a visible halant
    if (byte == '^' || byte == '{' || byte == 0x91) {
      EXPECT_EQ(codes(text), byte == '^' ? "r_" : "_r") << b;
      continue;
    }
    std::string again;
    DevanagariError e;
    ASSERT_EQ(devanagariToCodes(text, again, e), 1) << b << " " << describeDevanagariError(e);
    EXPECT_EQ(again, one) << "code " << b;
  }
}

TEST(Devanagari, HindiCodeClass) {
  int count = 0;
  for (int b = 0; b < 256; ++b) count += isHindiCode(static_cast<unsigned char>(b));
  EXPECT_EQ(count, 121);
  for (unsigned char b : {0x3F, 0x49, 0x5B, 0x5D, 0x7E, 0xA8, 0xB0, 0xB8, 0xC0})
    EXPECT_FALSE(isHindiCode(b)) << int(b);
  for (unsigned char b : {0x40, 0x48, 0x4A, 0x7F, 0x80, 0x98, 0xBF})
    EXPECT_TRUE(isHindiCode(b)) << int(b);
}

TEST(Devanagari, RejectsWhatHasNoGlyphAndKeepsOutput) {
  const struct {
    const char* utf8;
    std::size_t position;
    char32_t character;
  } bad[] = {
      {"\xE0\xA4\x95\xE0\xA4\xB3", 1, 0x0933},                          // lla: no glyph
      {"\xE0\xA4\x87\xE0\xA4\x82\xE0\xA4\xA1\xE0\xA5\x86", 3, 0x0946},  // short e sign
      {"ab\xD0\x96", 2, 0x0416},          // Cyrillic is not Devanagari
      {"\xE0\xA5\x90", 0, 0x0950},        // om sign
      {"\xE0\xA4\x95\xE0\xA4", 1, 0xE0},  // cut UTF-8
  };
  for (const auto& c : bad) {
    std::string out = "kept";
    DevanagariError e;
    EXPECT_EQ(devanagariToCodes(c.utf8, out, e), 0) << c.utf8;
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(e.position, c.position) << c.utf8;
    EXPECT_EQ(e.character, c.character) << c.utf8;
    EXPECT_FALSE(e.reason.empty());
  }
  DevanagariError e;
  std::string out;
  devanagariToCodes("\xE0\xA4\x95\xE0\xA4\xB3", out, e);
  EXPECT_EQ(describeDevanagariError(e),
            "character 1 (U+0933 \xE0\xA4\xB3): no glyph for this consonant");
}

}  // namespace
