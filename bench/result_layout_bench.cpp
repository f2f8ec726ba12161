// Cost of laying out the result list: every paint and every scroll step walks the buffer
// from its start, so the worst case is a full buffer scrolled far down.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "search/result_buffer.h"
#include "search/result_layout.h"

namespace {

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

void layoutAt(benchmark::State& state, int scrollLine) {
  int lines = 0;
  std::vector<char> buffer = fullBuffer(&lines);
  char token[80];
  const char query[] = "\xE2\xEE";
  const RunWidth width = [](ResultFont, const char*, int n) { return 7 * n; };
  std::vector<TextRun> runs;
  for (auto _ : state) {
    runs.clear();
    ResultLayoutInput in{buffer.data(), static_cast<int32_t>(buffer.size()),
                         static_cast<int32_t>(buffer.size()), scrollLine < 0 ? lines - 20 : scrollLine,
                         0, 1024, 768, query, 2, token, sizeof token};
    layoutResultList(in, width, runs);
    benchmark::DoNotOptimize(runs.data());
  }
  state.counters["runs"] = static_cast<double>(runs.size());
  state.counters["bytes"] = static_cast<double>(buffer.size());
}

void BM_LayoutFirstPage(benchmark::State& state) { layoutAt(state, 0); }
void BM_LayoutLastPage(benchmark::State& state) { layoutAt(state, -1); }

}  // namespace

BENCHMARK(BM_LayoutFirstPage);
BENCHMARK(BM_LayoutLastPage);
