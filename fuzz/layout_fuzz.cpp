// libFuzzer target: the result list's layout walk over arbitrary result bytes, queries, scroll
// lines, window sizes and token scratch sizes. Checked: no read or write outside the buffer,
// the query or the scratch (the sanitizers), and the runs' invariants: never empty, every run
// inside the list's rows, every highlight run the query's match, every other run a token's
// bytes as the buffer holds them (parentheses of notes apart: a ")" that ends a note is taken
// out of its token, whatever follows it in the token).
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "search/result_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int32_t headerStyle = input.byte() & 1;
  const int32_t clientWidth = 100 + input.byte() * 4;
  const int32_t clientHeight = 100 + input.byte() * 4;
  const int32_t scrollLine = input.byte() % 8;
  const int32_t tokenCapacity = 1 + input.byte() % 80;
  const std::string query = input.bytes(input.byte() % 33);
  const std::string buffer = input.rest();

  // Exactly sized copies, so the sanitizers see any step past their ends.
  std::vector<char> bytes(buffer.begin(), buffer.end());
  std::vector<char> queryBytes(query.begin(), query.end());
  std::vector<char> token(static_cast<std::size_t>(tokenCapacity));
  const ResultLayoutInput in{bytes.data(),
                             static_cast<int32_t>(bytes.size()),
                             static_cast<int32_t>(bytes.size()),
                             scrollLine,
                             headerStyle,
                             clientWidth,
                             clientHeight,
                             queryBytes.data(),
                             static_cast<int32_t>(queryBytes.size()),
                             token.data(),
                             tokenCapacity};
  // The run's bytes as the buffer holds them, or with one ")" that the walk took out.
  auto fromBuffer = [&](const std::string& run) {
    if (buffer.find(run) != std::string::npos) return true;
    for (std::size_t k = 0; k <= run.size(); ++k) {
      if (buffer.find(run.substr(0, k) + ")" + run.substr(k)) != std::string::npos) return true;
    }
    return false;
  };
  const RunWidth width = [](ResultFont, const char*, int n) { return 7 * n; };
  std::vector<TextRun> runs;
  layoutResultList(in, width, runs);

  const int32_t top = resultListTop(headerStyle);
  const int32_t limit = resultListBottomLimit(headerStyle, clientHeight);
  for (const TextRun& run : runs) {
    if (run.bytes.empty()) fuzzFail("layout", "an empty run");
    if (run.y < top || run.y >= limit) fuzzFail("layout", "a run outside the list's rows");
    if (run.colour == colourResultMatch) {
      if (run.bytes.size() != query.size()) fuzzFail("layout", "a highlight of another length");
      for (std::size_t i = 0; i < query.size(); ++i) {
        if (query[i] != '*' && query[i] != run.bytes[i])
          fuzzFail("layout", "a highlight that does not match");
      }
    } else if (run.bytes != "(" && run.bytes != ")" && !fromBuffer(run.bytes)) {
      fuzzFail("layout", "a run whose bytes are not in the buffer");
    }
    if (run.bytes.find_first_of(" \r\n") != std::string::npos)
      fuzzFail("layout", "a separator in a run");
  }
  return 0;
}
