// Conversion between Unicode Devanagari (UTF-8) and the byte codes of the Hindi display faces.
//
// The codes are those of hindi/encoding.tsv (compiled in): text in visual order, the short-i
// sign before its consonant cluster, half forms before the full consonant, reph after the
// syllable's vowel sign. Conjuncts and half forms without a glyph of their own are written as
// the full consonant with a visible halant; nothing is dropped.
#pragma once

#include <cstddef>
#include <string>

// Where and why a text cannot be turned into codes: position counts characters (code
// points) from 0, character is the offending code point.
struct DevanagariError {
  std::size_t position = 0;
  char32_t character = 0;
  std::string reason;
};

// A readable message: "character 3 (U+0933): no glyph for this consonant".
std::string describeDevanagariError(const DevanagariError& error);

// 1 for the bytes that draw Devanagari: 0x40 to 0xBF except 0x49, 0x5B, 0x5D, 0x7E, 0xA8,
// 0xB0 and 0xB8.
int isHindiCode(unsigned char byte);

// Devanagari and ASCII in UTF-8 to codes (ASCII is kept as it is). Returns 1, or 0 with the
// error filled and codes left unchanged.
int devanagariToCodes(const std::string& utf8, std::string& codes, DevanagariError& error);

// Codes to Devanagari in UTF-8, NFC. Never fails: bytes that draw no Devanagari are read as
// ASCII or Windows-1251, a sign with nothing to sit on comes out as that sign.
std::string codesToDevanagari(const std::string& codes);

// A dictionary line in UTF-8 to its bytes: Devanagari to codes, Cyrillic and the rest to
// Windows-1251 (ASCII stays as it is). Returns 1, or 0 with the error filled (its position
// counts characters of the whole text) and bytes left unchanged.
int encodeDictionaryLine(const std::string& utf8, std::string& bytes, DevanagariError& error);

// Dictionary bytes (one or more lines) to UTF-8, each token read as the result list draws it:
// the first token of a line (the headword) and every token that turns Hindi by holding a
// Hindi code are Devanagari; Russian, other text and parenthesised notes are Windows-1251.
// Separators (space, CR, LF) are kept. Never fails.
std::string decodeDictionaryLine(const std::string& bytes);
