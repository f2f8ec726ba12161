// A plain, byte-at-a-time dictionary search that follows the program's search rules step by
// step. It is slow on purpose and exists only to check the production search against it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/text_stream.h"
#include "search/search.h"

namespace reference {

inline bool delimiter(int b) {
  const unsigned char set[12] = {0x3B, 0x2C, 0x2E, 0x5B, 0x5D, 0x28,
                                 0x29, 0x21, 0x20, 0x3F, 0x22, 0x0A};
  for (unsigned char d : set) {
    if (b == d) return true;
  }
  return false;
}

inline bool accepts(int mode, int left, int right) {
  if (mode == 0) return true;
  if (mode == 1) return delimiter(left);
  if (mode == 2) return delimiter(right);
  if (mode == 3) return delimiter(left) && delimiter(right);
  return false;
}

struct Outcome {
  SearchStatus status = SearchStatus::DictionaryMissing;
  int foundCount = 0;
  int resultSize = 0;
  std::string buffer;  // the first resultSize bytes of the result buffer
};

// Searches dictionaryPath for query under mode, writes resultPath and "loads" it into a buffer of
// bufferSize bytes (0: no buffer), exactly as the program does.
inline Outcome search(const char* dictionaryPath, const char* resultPath, const std::string& query,
                      int mode, std::size_t bufferSize = 150000) {
  Outcome out;
  const int q = static_cast<int>(query.size());
  std::vector<int32_t> list;
  {
    TextReader in(dictionaryPath);
    if (!in.isOpen()) return out;
    std::vector<unsigned char> window(q, 0);
    int left = 0;
    bool pending = false;
    int32_t line = 0;
    for (int b; (b = in.get()) >= 0;) {
      if (pending && accepts(mode, left, b)) list.push_back(line);
      if (q == 0) {
        left = b;
      } else {
        left = window[0];
        for (int i = 0; i + 1 < q; ++i) window[i] = window[i + 1];
        window[q - 1] = static_cast<unsigned char>(b);
      }
      pending = true;
      for (int i = 0; i < q; ++i) {
        if (query[i] != '*' && static_cast<unsigned char>(query[i]) != window[i]) {
          pending = false;
          break;
        }
      }
      if (list.size() == 100) break;
      if (b == '\n') ++line;
    }
  }
  int found = 0;
  {
    TextReader in(dictionaryPath);
    TextWriter result(resultPath, "w");
    if (!result.isOpen()) {
      out.status = SearchStatus::ResultNotCreated;
      return out;
    }
    int32_t line = 0;
    std::size_t cursor = 0;
    bool selected = false;
    for (int b; (b = in.get()) >= 0;) {
      if (cursor < list.size() && list[cursor] == line) {
        ++cursor;
        ++found;
        selected = true;
      }
      if (b == '\n') {
        if (selected) result.put('\n');
        ++line;
        selected = false;
      } else if (selected) {
        result.put(b);
      }
    }
    result.close();
  }
  out.foundCount = found;
  std::string bytes;
  if (!readRawFile(resultPath, bytes)) {
    out.status = SearchStatus::ResultOpenFailed;
    return out;
  }
  if (bufferSize == 0) {
    out.status = SearchStatus::BufferNotAllocated;
    return out;
  }
  out.status = bytes.size() > bufferSize ? SearchStatus::LoadedTruncated : SearchStatus::Loaded;
  out.buffer = bytes.substr(0, bufferSize);
  out.resultSize = static_cast<int>(out.buffer.size());
  return out;
}

}  // namespace reference
