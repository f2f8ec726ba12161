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

namespace {

// How common each byte is in dictionary text (Hindi face codes, Windows-1251 Russian, spaces
// and punctuation), as 8 * log2(occurrences per MiB + 1) measured on the starter dictionary;
// 0 for bytes it never holds. Only the order matters: the search looks for a needle's rarest
// bytes, the ones that stop the scan least often.
const unsigned char kByteFrequency[256] = {
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   115, 0,   0,   115, 0,   0,    // 00
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,    // 10
    136, 68,  0,   0,   0,   0,   0,   0,   115, 117, 0,   0,   112, 75,  116, 0,    // 20
    23,  87,  87,  66,  37,  23,  0,   0,   0,   0,   65,  108, 0,   0,   0,   70,   // 30
    78,  87,  80,  75,  83,  82,  59,  73,  73,  0,   70,  81,  48,  90,  70,  37,   // 40
    66,  73,  83,  84,  90,  83,  74,  52,  82,  98,  71,  0,   63,  0,   78,  60,   // 50
    0,   130, 101, 96,  101, 104, 79,  97,  111, 113, 94,  108, 105, 103, 116, 86,   // 60
    101, 87,  111, 106, 104, 105, 97,  70,  71,  95,  84,  71,  0,   49,  103, 0,    // 70
    57,  64,  47,  45,  44,  45,  40,  42,  52,  44,  42,  42,  0,   0,   0,   54,   // 80
    49,  48,  30,  52,  68,  68,  57,  0,   0,   66,  40,  47,  0,   54,  42,  0,    // 90
    0,   23,  69,  30,  44,  59,  54,  0,   0,   53,  37,  54,  0,   60,  54,  60,   // A0
    0,   57,  76,  37,  23,  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,    // B0
    42,  42,  0,   42,  40,  23,  0,   23,  48,  0,   34,  23,  30,  34,  0,   34,   // C0
    40,  0,   0,   23,  23,  30,  0,   0,   23,  0,   0,   0,   0,   0,   0,   23,   // D0
    122, 103, 114, 106, 110, 120, 106, 104, 119, 104, 110, 116, 113, 117, 122, 112,  // E0
    118, 117, 121, 106, 76,  90,  90,  103, 94,  86,  53,  105, 115, 68,  84,  107,  // F0
};

// A byte at most this common turns up about once per 180 bytes of dictionary text or less
// often: the C library's memchr (as wide as the processor allows) runs between its
// occurrences, and gives way to the two-byte filter where the text proves it common.
constexpr unsigned char kRareEnoughForMemchr = 100;

}  // namespace

NeedleProbe chooseProbe(const char* needle, std::size_t needleLength) {
  NeedleProbe probe;
  auto frequency = [&](std::size_t i) {
    return kByteFrequency[static_cast<unsigned char>(needle[i])];
  };
  for (std::size_t i = 1; i < needleLength; ++i) {
    if (frequency(i) < frequency(probe.rarest)) probe.rarest = i;
  }
  probe.second = probe.rarest == 0 ? 1 : 0;
  for (std::size_t i = 0; i < needleLength; ++i) {
    if (i != probe.rarest && frequency(i) < frequency(probe.second)) probe.second = i;
  }
  probe.useMemchr = needleLength == 1 || frequency(probe.rarest) <= kRareEnoughForMemchr;
  return probe;
}

const char* findBytes(const char* haystack, std::size_t length, const char* needle,
                      std::size_t needleLength) {
  if (needleLength == 0 || needleLength > length) return nullptr;
  const NeedleProbe probe = chooseProbe(needle, needleLength);
  const std::size_t lastStart = length - needleLength;  // the last possible start
  const std::size_t r = probe.rarest;
  std::size_t i = 0;
  if (probe.useMemchr) {
    // Jump from one occurrence of the rarest byte to the next; compare in full only there.
    // When the byte turns out to be common in this text (a stop every 128 bytes or more
    // often), the two-byte filter below takes over.
    std::size_t stops = 0;
    while (i <= lastStart) {
      const void* hit = std::memchr(haystack + i + r, needle[r], lastStart - i + 1);
      if (!hit) return nullptr;
      i = static_cast<std::size_t>(static_cast<const char*>(hit) - haystack) - r;
      if (std::memcmp(haystack + i, needle, needleLength) == 0) return haystack + i;
      ++i;
      if (++stops >= 16 && i < stops * 128 && needleLength > 1) break;
    }
    if (i > lastStart) return nullptr;
  }
  const std::size_t s = probe.second;
#ifdef VARTOLIK_SSE2
  // Compare the needle's two rarest bytes at 32 starts at once; only starts where both agree
  // are compared in full.
  const __m128i rare = _mm_set1_epi8(needle[r]);
  const __m128i other = _mm_set1_epi8(needle[s]);
  auto agree = [&](std::size_t at) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + at + r));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + at + s));
    return _mm_and_si128(_mm_cmpeq_epi8(a, rare), _mm_cmpeq_epi8(b, other));
  };
  for (; i + 31 <= lastStart; i += 32) {
    __m128i low = agree(i), high = agree(i + 16);
    if (_mm_movemask_epi8(_mm_or_si128(low, high)) == 0) continue;
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(low)) |
                    (static_cast<unsigned>(_mm_movemask_epi8(high)) << 16);
    for (std::size_t bit = 0; mask != 0; ++bit, mask >>= 1) {
      if ((mask & 1u) && std::memcmp(haystack + i + bit, needle, needleLength) == 0) {
        return haystack + i + bit;
      }
    }
  }
#endif
  for (; i <= lastStart; ++i) {
    if (haystack[i + r] == needle[r] && haystack[i + s] == needle[s] &&
        std::memcmp(haystack + i, needle, needleLength) == 0) {
      return haystack + i;
    }
  }
  return nullptr;
}
