#include "search/byte_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The vector paths against a plain loop, on every length and alignment around the 16-byte lanes.
TEST(ByteScan, AgreesWithPlainLoops) {
  std::mt19937 rng(3);
  for (int round = 0; round < 3000; ++round) {
    std::size_t n = rng() % 300;
    std::string hay(n + 16, '\0');
    std::size_t offset = rng() % 16;
    for (auto& c : hay) c = "ab\n\xE0"[rng() % 4];
    const char* data = hay.data() + offset;
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) count += data[i] == '\n';
    ASSERT_EQ(countByte(data, n, '\n'), count);

    std::string needle(1 + rng() % 5, 'a');
    for (auto& c : needle) c = "ab\n\xE0"[rng() % 4];
    std::size_t expected = std::string(data, n).find(needle);
    const char* hit = findBytes(data, n, needle.data(), needle.size());
    ASSERT_EQ(hit ? static_cast<std::size_t>(hit - data) : std::string::npos, expected)
        << "needle of " << needle.size() << " in " << n << " bytes";
  }
}

TEST(ByteScan, CountsPastTheLaneOverflowPoint) {
  std::string all(255 * 16 * 3 + 5, '\n');
  EXPECT_EQ(countByte(all.data(), all.size(), '\n'), all.size());
  EXPECT_EQ(countByte(all.data(), all.size(), 'x'), 0u);
}

}  // namespace
