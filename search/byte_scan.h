// Fast scans over raw byte blocks, used by the dictionary search and the line count. SSE2 where
// the compiler offers it (every x86-64 compiler does), plain loops elsewhere; the answers are
// the same either way.
#pragma once
#include <cstddef>

// How many bytes of [data, data + n) equal value.
std::size_t countByte(const char* data, std::size_t n, unsigned char value);

// Where findBytes looks first in a needle: the positions of its rarest and second rarest byte
// in dictionary text, and whether the rarest is rare enough to jump between its occurrences.
struct NeedleProbe {
  std::size_t rarest = 0;
  std::size_t second = 0;  // differs from rarest when the needle has two bytes or more
  bool useMemchr = false;
};
NeedleProbe chooseProbe(const char* needle, std::size_t needleLength);

// The first occurrence of needle (needleLength >= 1) in [haystack, haystack + length), or
// nullptr when there is none.
const char* findBytes(const char* haystack, std::size_t length, const char* needle,
                      std::size_t needleLength);
