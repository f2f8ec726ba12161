#include "search/byte_scan.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define VARTOLIK_SSE2 1
#include <emmintrin.h>
#endif

std::size_t countByte(const char* data, std::size_t n, unsigned char value) {
  std::size_t total = 0;
  std::size_t i = 0;
#ifdef VARTOLIK_SSE2
  const __m128i target = _mm_set1_epi8(static_cast<char>(value));
  const __m128i zero = _mm_setzero_si128();
  while (n - i >= 16) {
    // Each lane counts down by one per hit (a compare gives -1); 255 rounds cannot overflow.
    __m128i lanes = _mm_setzero_si128();
    std::size_t rounds = (n - i) / 16;
    if (rounds > 255) rounds = 255;
    for (std::size_t r = 0; r < rounds; ++r, i += 16) {
      __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(chunk, target));
    }
    __m128i sums = _mm_sad_epu8(lanes, zero);
    total += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
#endif
  for (; i < n; ++i) total += static_cast<unsigned char>(data[i]) == value;
  return total;
}

const char* findBytes(const char* haystack, std::size_t length, const char* needle,
                      std::size_t needleLength) {
  if (needleLength == 0 || needleLength > length) return nullptr;
  if (needleLength == 1) {
    return static_cast<const char*>(std::memchr(haystack, needle[0], length));
  }
  const std::size_t lastStart = length - needleLength;  // the last possible start
  std::size_t i = 0;
#ifdef VARTOLIK_SSE2
  // Compare the needle's first and last byte at 16 starts at once; only starts where both
  // agree are compared in full.
  const __m128i first = _mm_set1_epi8(needle[0]);
  const __m128i last = _mm_set1_epi8(needle[needleLength - 1]);
  for (; i + 15 <= lastStart; i += 16) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i + needleLength - 1));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    for (std::size_t bit = 0; mask != 0; ++bit, mask >>= 1) {
      if ((mask & 1u) &&
          std::memcmp(haystack + i + bit + 1, needle + 1, needleLength - 2) == 0) {
        return haystack + i + bit;
      }
    }
  }
#endif
  while (i <= lastStart) {
    const void* hit = std::memchr(haystack + i, needle[0], lastStart - i + 1);
    if (!hit) return nullptr;
    i = static_cast<std::size_t>(static_cast<const char*>(hit) - haystack);
    if (std::memcmp(haystack + i + 1, needle + 1, needleLength - 1) == 0) return haystack + i;
    ++i;
  }
  return nullptr;
}
