// Russian text between UTF-8 and Windows-1251, the single-byte code page the dictionary keeps
// its Russian in. The whole code page is covered, 0x80 to 0xBF included.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The Unicode character of one Windows-1251 byte. 0x98 has no character in the code page and
// is read as U+0098, so every byte survives a round trip.
uint32_t cp1251CodePoint(unsigned char byte);

// The Windows-1251 byte of a Unicode character, or -1 when the code page has none.
int cp1251ByteOf(uint32_t codePoint);

// Decodes the UTF-8 character at s[i] into cp; returns its length, or 0 when the bytes there
// are not valid UTF-8 (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t utf8CharAt(const std::string& s, std::size_t i, uint32_t& cp);

// Appends the UTF-8 bytes of one Unicode character (up to U+10FFFF).
void appendUtf8(std::string& out, uint32_t codePoint);

// Windows-1251 bytes as UTF-8. Never fails.
std::string cp1251ToUtf8(const std::string& bytes);

// UTF-8 as Windows-1251. On failure returns false, leaves out untouched and puts in error where
// and why, e.g. "byte 3: U+4E2D \"...\" has no Windows-1251 code" or "byte 0: not valid UTF-8".
bool utf8ToCp1251(const std::string& utf8, std::string& out, std::string& error);
