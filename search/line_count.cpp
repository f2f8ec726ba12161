#include "search/line_count.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/session_state.h"
#include "search/byte_scan.h"
#include "search/search.h"

int64_t countLineEnds(const char* dictionaryPath) {
  switch (fileKind(dictionaryPath)) {
    case FileKind::Missing: return kCountMissing;
    case FileKind::Other: return kCountNotRegular;
    case FileKind::Regular: break;
  }
  std::FILE* in = std::fopen(dictionaryPath, "rb");
  if (!in) return kCountMissing;
  // Counting raw LF bytes gives the translated count: a CR LF pair is one LF either way.
  std::vector<char> buf(std::size_t(1) << 17);
  int64_t count = 0;
  for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), in)) > 0;) {
    const void* stop = std::memchr(buf.data(), 0x1A, n);
    if (stop) n = static_cast<std::size_t>(static_cast<const char*>(stop) - buf.data());
    count += static_cast<int64_t>(countByte(buf.data(), n, '\n'));
    if (stop) break;
  }
  bool failed = std::ferror(in) != 0;
  std::fclose(in);
  return failed ? kCountReadFailed : count;
}

int countDictionaryFile(const char* dictionaryPath) {
  session.scrollLine = 0;
  int64_t count = countLineEnds(dictionaryPath);
  if (count < 0) {
    static const char kError[] = "\xEE\xF8\xE8\xE1\xEA\xE0";  // "error" in Windows-1251
    std::memcpy(session.messageText, kError, sizeof kError);
    return 0;
  }
  std::snprintf(session.messageText, sizeof session.messageText,
                "Found %lld words in data file of dictionary", static_cast<long long>(count));
  return 1;
}
