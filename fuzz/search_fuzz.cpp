// libFuzzer target: the production search against the byte-at-a-time reference on arbitrary
// dictionaries, queries, modes and block sizes. Any difference in f2.tc, foundCount,
// resultSize, the result buffer or the status aborts. Input layout:
//   byte 0: match mode (mod 4: the modes that compare bytes), byte 1: query length (mod 33),
//   byte 2: block choice, then the query bytes, then the dictionary.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "search/result_buffer.h"
#include "search/search.h"
#include "tests/core/search_reference.h"

namespace {

std::string scratchFile(const char* name) {
  static const std::filesystem::path dir = [] {
    std::random_device rd;
    std::filesystem::path p =
        std::filesystem::temp_directory_path() / ("vartolik-fuzz-" + std::to_string(rd()));
    std::filesystem::create_directories(p);
    return p;
  }();
  return (dir / name).string();
}

void fail(const char* what) {
  std::fprintf(stderr, "search differs from the reference: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int mode = data[0] % 4;
  const std::size_t queryLength = data[1] % 33;
  const std::size_t blockSize = (data[2] & 1) ? 1 : kSearchBlockSize;
  data += 3;
  size -= 3;
  if (size < queryLength) return 0;
  std::string query(reinterpret_cast<const char*>(data), queryLength);
  std::string dictionary(reinterpret_cast<const char*>(data) + queryLength, size - queryLength);

  static const std::string dict = scratchFile("dictiona.dat");
  static const std::string result = scratchFile("f2.tc");
  static const std::string refResult = scratchFile("reference.tc");
  static std::vector<char> buffer(kResultBufferSize);
  if (!writeRawFile(dict.c_str(), dictionary)) return 0;

  resultBuffer = buffer.data();
  session.queryLength = static_cast<int32_t>(queryLength);
  for (std::size_t i = 0; i < queryLength; ++i) session.queryText[i] = query[i];
  session.matchMode = mode;
  SearchPaths paths;
  paths.dictionary = dict.c_str();
  paths.result = result.c_str();
  paths.blockSize = blockSize;
  SearchStatus status = runDictionarySearch(paths);

  reference::Outcome ref = reference::search(dict.c_str(), refResult.c_str(), query, mode);
  std::string got, expected;
  readRawFile(result.c_str(), got);
  readRawFile(refResult.c_str(), expected);
  if (status != ref.status) fail("status");
  if (session.foundCount != ref.foundCount) fail("foundCount");
  if (got != expected) fail("f2.tc");
  if (session.resultSize != ref.resultSize) fail("resultSize");
  if (std::string(buffer.data(), session.resultSize > 0 ? session.resultSize : 0) != ref.buffer) {
    fail("result buffer");
  }
  return 0;
}
