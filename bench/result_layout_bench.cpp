// Cost of laying out the result list. Every paint and every scroll step walks the buffer
// from its start, so the worst case is a full buffer scrolled to its end. Not a test: it
// prints figures and asserts nothing. Build without sanitizers, e.g.
//   cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVARTOLIK_SANITIZE=OFF
//   cmake --build build/bench -j2 --target vartolik-bench-layout &&
//   build/bench/vartolik-bench-layout
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "search/result_buffer.h"
#include "search/result_layout.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char> fullBuffer(int* lines) {
  const std::string entry =
      "kml \xEB\xEE\xF2\xEE\xF1, \xEA\xF3\xE2\xF8\xE8\xED\xEA\xE0 (\xF6\xE2\xE5\xF2\xEE\xEA) "
      "pani \xE2\xEE\xE4\xE0\r\n";
  std::vector<char> buffer;
  *lines = 0;
  while (buffer.size() + entry.size() <= kResultBufferSize) {
    buffer.insert(buffer.end(), entry.begin(), entry.end());
    ++*lines;
  }
  return buffer;
}

void measure(const char* name, const std::vector<char>& buffer, int32_t scrollLine) {
  char token[80];
  const char query[] = "\xE2\xEE";
  const RunWidth width = [](ResultFont, const char*, int n) { return 7 * n; };
  std::vector<TextRun> runs;
  const int rounds = 2000;
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    runs.clear();
    const ResultLayoutInput in{buffer.data(),
                               static_cast<int32_t>(buffer.size()),
                               static_cast<int32_t>(buffer.size()),
                               scrollLine,
                               0,
                               1024,
                               768,
                               query,
                               2,
                               token,
                               sizeof token};
    layoutResultList(in, width, runs);
  }
  const double us =
      std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
  std::printf("%-34s %8.1f us per layout, %zu runs\n", name, us, runs.size());
}

}  // namespace

int main() {
  int lines = 0;
  const std::vector<char> buffer = fullBuffer(&lines);
  std::printf("full result buffer: %zu bytes, %d lines\n", buffer.size(), lines);
  measure("first page", buffer, 0);
  measure("middle page", buffer, lines / 2);
  measure("last page (whole buffer skipped)", buffer, lines - 20);
  return 0;
}
