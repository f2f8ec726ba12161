#include "search/byte_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

// The vector paths against a plain loop, on every length and alignment around the 16-byte lanes.
// The alphabet mixes common dictionary bytes with one that dictionary text never holds (0xB8),
// so needles take both the jump to their rarest byte and the two-byte filter, and haystacks
// full of that "rare" byte make the jump give way to the filter halfway.
TEST(ByteScan, AgreesWithPlainLoops) {
  std::mt19937 rng(3);
  for (int round = 0; round < 6000; ++round) {
    std::size_t n = rng() % 700;
    std::string hay(n + 16, '\0');
    std::size_t offset = rng() % 16;
    const char* alphabet = round % 2 ? "ab\n\xE0" : "ab\n\xE0\xB8\xB8";
    const std::size_t letters = std::strlen(alphabet);
    for (auto& c : hay) c = alphabet[rng() % letters];
    const char* data = hay.data() + offset;
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) count += data[i] == '\n';
    ASSERT_EQ(countByte(data, n, '\n'), count);

    std::string needle(1 + rng() % 5, 'a');
    for (auto& c : needle) c = alphabet[rng() % letters];
    std::size_t expected = std::string(data, n).find(needle);
    const char* hit = findBytes(data, n, needle.data(), needle.size());
    ASSERT_EQ(hit ? static_cast<std::size_t>(hit - data) : std::string::npos, expected)
        << "needle of " << needle.size() << " in " << n << " bytes";
  }
}

TEST(ByteScan, ProbesTheRarestBytes) {
  struct Case {
    const char* needle;
    std::size_t rarest, second;
    bool memchr;
  } cases[] = {
      {"\xF9\xB8\xEB\xEA", 1, 0, true},   // Russian with a yo: the yo, never in the text
      {"zqzqzq", 0, 2, true},             // two Hindi codes of middling frequency
      {"\xE4\xE5\xEB\xEE", 0, 2, false},  // a common Russian word: two-byte filter
      {"a", 0, 0, true},                  // one byte: always the C library's memchr
      {"a \xE0", 2, 0, false},            // space and "a" are the commonest bytes
  };
  for (const Case& c : cases) {
    NeedleProbe p = chooseProbe(c.needle, std::strlen(c.needle));
    if (std::strlen(c.needle) > 1) {
      EXPECT_EQ(p.second, c.second) << c.needle;
    }
    EXPECT_EQ(p.rarest, c.rarest) << c.needle;
    EXPECT_EQ(p.useMemchr, c.memchr) << c.needle;
  }
}

TEST(ByteScan, CountsPastTheLaneOverflowPoint) {
  std::string all(255 * 16 * 3 + 5, '\n');
  EXPECT_EQ(countByte(all.data(), all.size(), '\n'), all.size());
  EXPECT_EQ(countByte(all.data(), all.size(), 'x'), 0u);
}

}  // namespace
