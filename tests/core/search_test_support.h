// Helpers shared by the search tests: a scratch folder, and one search run from dictionary
// bytes to everything a search leaves behind.
#pragma once
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "search/result_buffer.h"
#include "search/search.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device rd;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() /
              ("vartolik-test-" + std::to_string(rd()) + std::to_string(rd()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string file(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The result buffer as the program allocates it, with guard bytes after it to catch overruns.
struct GuardedResultBuffer {
  static constexpr std::size_t kGuard = 64;
  std::vector<char> block = std::vector<char>(kResultBufferSize + kGuard, '\x5A');
  GuardedResultBuffer() { resultBuffer = block.data(); }
  ~GuardedResultBuffer() { resultBuffer = nullptr; }
  bool guardIntact() const {
    for (std::size_t i = kResultBufferSize; i < block.size(); ++i) {
      if (block[i] != '\x5A') return false;
    }
    return true;
  }
};

struct SearchRun {
  SearchStatus status;
  int foundCount;
  int resultSize;
  std::string resultFile;  // raw bytes of f2.tc
  std::string buffer;      // the first resultSize bytes of the result buffer
};

inline void setQuery(const std::string& query, int mode) {
  session.queryLength = static_cast<int>(query.size());
  for (std::size_t i = 0; i < query.size() && i < sizeof session.queryText; ++i) {
    session.queryText[i] = query[i];
  }
  session.matchMode = mode;
}

// Runs the production search over the dictionary dictionary in dir.
inline SearchRun productionSearch(const ScratchDir& dir, const std::string& dictionary,
                                  const std::string& query, int mode,
                                  std::size_t blockSize = kSearchBlockSize) {
  std::string dict = dir.file("dictiona.dat"), result = dir.file("f2.tc");
  writeRawFile(dict.c_str(), dictionary);
  setQuery(query, mode);
  session.foundCount = -7;
  session.resultSize = -7;
  SearchPaths paths;
  paths.dictionary = dict.c_str();
  paths.result = result.c_str();
  paths.blockSize = blockSize;
  SearchRun run;
  run.status = runDictionarySearch(paths);
  run.foundCount = session.foundCount;
  run.resultSize = session.resultSize;
  readRawFile(result.c_str(), run.resultFile);
  if (resultBuffer && run.resultSize > 0) run.buffer.assign(resultBuffer, run.resultSize);
  return run;
}
