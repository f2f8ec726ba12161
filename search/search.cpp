#include "search/search.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/session_state.h"
#include "search/byte_scan.h"
#include "search/phonetic.h"
#include "search/result_buffer.h"

// A name that is not plain ASCII is UTF-8: on Linux as the bytes are, and on Windows in
// vartolik-cli.exe, whose manifest makes UTF-8 the code page fopen reads names in (the program
// itself names only ASCII files). A plain std::filesystem::path would read it, with
// libstdc++ on Windows, byte by byte and miss the file fopen opens.
FileKind fileKind(const char* path) {
  std::error_code error;
  std::filesystem::file_status status =
      std::filesystem::status(std::filesystem::u8path(path), error);
  if (status.type() == std::filesystem::file_type::regular) return FileKind::Regular;
  if (error || status.type() == std::filesystem::file_type::not_found) return FileKind::Missing;
  return FileKind::Other;
}

int searchSucceeded(SearchStatus status) {
  switch (status) {
    case SearchStatus::DictionaryMissing:
    case SearchStatus::DictionaryNotRegular:
    case SearchStatus::DictionaryUnreadable:
    case SearchStatus::ResultNotRegular:
    case SearchStatus::QueryTooLong:
    case SearchStatus::ResultNotCreated: return 0;
    default: return 1;
  }
}

int isDelimiter(unsigned char b) {
  static const char kDelimiters[] = ";,.[]()! ?\"\n";
  for (int i = 0; i < 12; ++i) {
    if (b == static_cast<unsigned char>(kDelimiters[i])) return 1;
  }
  return 0;
}

bool acceptsMatch(int matchMode, unsigned char left, unsigned char right) {
  switch (matchMode) {
    case SubString: return true;
    case RightAppend: return isDelimiter(left) != 0;
    case LeftAppend: return isDelimiter(right) != 0;
    case Exact: return isDelimiter(left) && isDelimiter(right);
    default:
      return false;  // Phonetic compares whole lines (search/phonetic_search.cpp), not positions
  }
}

namespace {

constexpr int kMaxQuery = kQueryCapacity;
// Raw bytes a candidate may need before it: the window and its left neighbour, each byte
// possibly a CR LF pair, plus one to tell a CR LF pair from a lone LF.
constexpr std::size_t kKeepBehind = 2 * (kMaxQuery + 1) + 2;
// Raw bytes a candidate may need after it: the rest of the window and the right neighbour,
// each possibly a CR LF pair, plus one to tell whether a CR starts a pair.
constexpr std::size_t kLookAhead = 2 * (kMaxQuery + 1) + 2;
constexpr std::size_t kMinBlock = kKeepBehind + kLookAhead + 32;

// The index just after the last LF in data[0, n), or n + 1 when there is none.
std::size_t afterLastLineEnd(const char* data, std::size_t n) {
  for (std::size_t i = n; i > 0; --i) {
    if (data[i - 1] == '\n') return i;
  }
  return n + 1;
}

struct FileCloser {
  std::FILE* file;
  ~FileCloser() {
    if (file) std::fclose(file);
  }
};

// A window onto the raw dictionary: buf[0, len) holds the bytes from file offset `base`,
// cut at the first 0x1A once that part has been checked for one. `end` is set once nothing
// follows buf[len - 1].
//
// Until the first candidate turns up, the scan only looks for the query: blocks are dropped
// without counting their line ends or looking for 0x1A (a search that finds nothing costs one
// pass of the byte finder and no more). The first candidate settles the dropped part by
// reading it again; from then on every block is settled as it is read.
struct RawWindow {
  std::FILE* file = nullptr;
  std::vector<char> buf;
  std::size_t len = 0;
  int64_t base = 0;
  bool atFileStart = true;  // buf[0] is the file's first byte
  bool end = false;
  bool readFailed = false;
  bool settled = false;  // every byte before base + len is checked for 0x1A

  void cutAtEof(std::size_t from) {
    const void* stop = std::memchr(buf.data() + from, 0x1A, len - from);
    if (stop) {
      len = static_cast<std::size_t>(static_cast<const char*>(stop) - buf.data());
      end = true;
    }
  }

  // Keeps buf[keepFrom, len), moves it to the front and fills the rest from the file.
  void refill(std::size_t keepFrom) {
    if (keepFrom > 0) {
      std::memmove(buf.data(), buf.data() + keepFrom, len - keepFrom);
      len -= keepFrom;
      base += static_cast<int64_t>(keepFrom);
      atFileStart = false;
    }
    std::size_t start = len;
    while (!end && len < buf.size()) {
      std::size_t got = std::fread(buf.data() + len, 1, buf.size() - len, file);
      if (got == 0) {
        end = true;
        readFailed = std::ferror(file) != 0;
        break;
      }
      len += got;
    }
    // The first block is always checked: the windows that reach before the file look into it.
    if (settled || atFileStart) cutAtEof(start);
  }

  unsigned char at(std::size_t i) const { return static_cast<unsigned char>(buf[i]); }
  // The translated byte that starts at raw index p (p < len); next is where the one after
  // starts. The caller keeps p far enough from len unless the file ends there.
  unsigned char forward(std::size_t p, std::size_t& next) const {
    unsigned char c = at(p);
    if (c == '\r' && p + 1 < len && at(p + 1) == '\n') {
      next = p + 2;
      return '\n';
    }
    next = p + 1;
    return c;
  }

  // The translated byte that ends just before raw index p (p > 0, p a translated start);
  // prev is where it starts.
  unsigned char backward(std::size_t p, std::size_t& prev) const {
    unsigned char c = at(p - 1);
    if (c == '\n' && p >= 2 && at(p - 2) == '\r') {
      prev = p - 2;
      return '\n';
    }
    prev = p - 1;
    return c;
  }
};

struct Scan {
  const unsigned char* query;
  int queryLength;
  int matchMode;
  RawWindow raw;
  MatchList* matches;
  std::size_t countedTo = 0;  // LF bytes of buf[0, countedTo) are in linesBefore
  int64_t linesBefore = 0;
  int64_t lineStartBefore = 0;  // file offset after the last LF before buf[0] (when settled)

  void record(std::size_t rightAt) {
    linesBefore +=
        static_cast<int64_t>(countByte(raw.buf.data() + countedTo, rightAt - countedTo, '\n'));
    countedTo = rightAt;
    std::size_t after = afterLastLineEnd(raw.buf.data(), rightAt);
    matches->lineStart[matches->count] =
        after <= rightAt ? raw.base + static_cast<int64_t>(after) : lineStartBefore;
    matches->line[matches->count++] = static_cast<int32_t>(linesBefore);
  }

  // Notes where the last line of buf[0, n) starts before those bytes are dropped.
  void dropping(std::size_t n) {
    std::size_t after = afterLastLineEnd(raw.buf.data(), n);
    if (after <= n) lineStartBefore = raw.base + static_cast<int64_t>(after);
  }

  // Judges the window that starts with `virtualBytes` zero bytes before the file followed by
  // real bytes from raw index p. Records the position when it matches and is accepted.
  void judge(int virtualBytes, std::size_t p) {
    unsigned char left = 0;
    if (virtualBytes == 0 && !(p == 0 && raw.atFileStart)) {
      std::size_t prev;
      left = raw.backward(p, prev);
    }
    for (int k = 0; k < queryLength; ++k) {
      unsigned char b = 0;
      if (k >= virtualBytes) {
        if (p >= raw.len) return;  // the file ends inside the window
        b = raw.forward(p, p);
      }
      if (query[k] != '*' && query[k] != b) return;
    }
    if (p >= raw.len) return;  // no byte after the window: never judged
    std::size_t next;
    unsigned char right = raw.forward(p, next);
    if (acceptsMatch(matchMode, left, right)) record(p);
  }

  bool full() const { return matches->count >= kMatchCap; }

  // Counts the line ends of the bytes dropped before settling, reading them again, and looks
  // for 0x1A in them and in the buffer. Afterwards the window is as if it had been settled
  // from the start. False on a read error.
  bool settle() {
    raw.settled = true;
    if (raw.base > 0) {
      const int64_t resume = raw.base + static_cast<int64_t>(raw.len);
      if (raw.base > static_cast<int64_t>(LONG_MAX) || std::fseek(raw.file, 0, SEEK_SET) != 0) {
        return false;
      }
      std::vector<char> block(std::size_t(1) << 16);
      int64_t done = 0;
      while (done < raw.base) {
        std::size_t want = static_cast<std::size_t>(
            std::min<int64_t>(raw.base - done, static_cast<int64_t>(block.size())));
        std::size_t got = std::fread(block.data(), 1, want, raw.file);
        if (got != want) return false;
        const void* stop = std::memchr(block.data(), 0x1A, got);
        if (stop) {  // the dictionary ended before this window
          raw.len = 0;
          raw.end = true;
          return true;
        }
        linesBefore += static_cast<int64_t>(countByte(block.data(), got, '\n'));
        std::size_t after = afterLastLineEnd(block.data(), got);
        if (after <= got) lineStartBefore = done + static_cast<int64_t>(after);
        done += static_cast<int64_t>(got);
      }
      if (resume > static_cast<int64_t>(LONG_MAX) ||
          std::fseek(raw.file, static_cast<long>(resume), SEEK_SET) != 0) {
        return false;
      }
    }
    raw.cutAtEof(0);
    return true;
  }
};

// The longest run of query bytes holding neither "*" nor LF: every match contains it as the
// same raw bytes, so its occurrences are the only places worth judging.
void longestLiteralRun(const unsigned char* q, int n, int& at, int& length) {
  at = 0;
  length = 0;
  for (int i = 0; i < n;) {
    if (q[i] == '*' || q[i] == '\n') {
      ++i;
      continue;
    }
    int j = i;
    while (j < n && q[j] != '*' && q[j] != '\n') ++j;
    if (j - i > length) {
      at = i;
      length = j - i;
    }
    i = j;
  }
}

}  // namespace

bool findMatches(const char* dictionaryPath, const char* query, int queryLength, int matchMode,
                 MatchList& matches, std::size_t blockSize) {
  if (matchMode == Phonetic)
    return findPhoneticMatches(dictionaryPath, query, queryLength, session.searchLanguage, matches,
                               blockSize);
  matches.count = 0;
  matches.lineStartsKnown = false;
  FileCloser in{std::fopen(dictionaryPath, "rb")};
  if (!in.file) return false;
  // The scan reads whole blocks into its own buffer: no second copy through the stream's.
  std::setvbuf(in.file, nullptr, _IONBF, 0);
  if (matchMode < SubString || matchMode > Exact) return true;  // no mode rule: nothing accepted
  if (queryLength < 0 || queryLength > kMaxQuery) return true;

  Scan scan;
  scan.query = reinterpret_cast<const unsigned char*>(query);
  scan.queryLength = queryLength;
  scan.matchMode = matchMode;
  scan.matches = &matches;
  scan.raw.file = in.file;
  scan.raw.buf.resize(kKeepBehind + std::max(blockSize, kMinBlock));
  scan.raw.refill(0);
  RawWindow& raw = scan.raw;

  // Windows that still hold some of the zero bytes the window starts with.
  for (int v = queryLength - 1; v >= 1 && !scan.full(); --v) scan.judge(v, 0);
  if (matches.count > 0 && !scan.settle()) return false;  // at the file's start: nothing to reread

  int anchorAt, anchorLength;
  longestLiteralRun(scan.query, queryLength, anchorAt, anchorLength);
  const char* anchor = query + anchorAt;

  // Candidates are raw indexes of the anchor's first byte (or of every translated byte when
  // the query has no literal run). An empty query starts no window on the file's first byte.
  std::size_t from = 0;
  if (queryLength == 0 && raw.len > 0) raw.forward(0, from);
  while (!scan.full()) {
    std::size_t limit = raw.end ? raw.len : raw.len - kLookAhead;
    while (from < limit && !scan.full()) {
      std::size_t p;
      if (anchorLength > 0) {
        std::size_t span = std::min(raw.len, limit + anchorLength - 1) - from;
        const char* hit = findBytes(raw.buf.data() + from, span, anchor, anchorLength);
        if (!hit) {
          from = limit;
          break;
        }
        p = static_cast<std::size_t>(hit - raw.buf.data());
      } else {
        p = from;
      }
      if (!raw.settled) {
        if (!scan.settle()) return false;
        limit = raw.end ? raw.len : raw.len - kLookAhead;
        if (p >= limit) break;  // the dictionary ends before this candidate
      }
      if (anchorLength > 0) {
        from = p + 1;
      } else {
        raw.forward(p, from);
      }
      // Step back from the anchor to the window's start; windows reaching before the file
      // were judged above.
      std::size_t start = p;
      bool beforeFile = false;
      for (int k = 0; k < anchorAt; ++k) {
        if (start == 0 && raw.atFileStart) {
          beforeFile = true;
          break;
        }
        raw.backward(start, start);
      }
      if (!beforeFile) scan.judge(0, start);
    }
    if (raw.end || scan.full()) break;
    const std::size_t keepFrom = limit - kKeepBehind;
    if (!raw.settled) {
      scan.countedTo = 0;  // counted when settling
    } else {
      scan.dropping(keepFrom);
      if (scan.countedTo <= keepFrom) {
        scan.linesBefore += static_cast<int64_t>(
            countByte(raw.buf.data() + scan.countedTo, keepFrom - scan.countedTo, '\n'));
        scan.countedTo = 0;
      } else {
        scan.countedTo -= keepFrom;
      }
    }
    from -= keepFrom;
    raw.refill(keepFrom);
  }
  matches.lineStartsKnown = true;
  return !raw.readFailed;
}

SearchStatus writeSelectedLines(const char* dictionaryPath, const char* resultPath,
                                const MatchList& matches, std::size_t blockSize) {
  FileCloser in{std::fopen(dictionaryPath, "rb")};
  if (!in.file) return SearchStatus::DictionaryMissing;
  std::FILE* out = std::fopen(resultPath, "wb");
  if (!out) return SearchStatus::ResultNotCreated;

  // The distinct lines to copy, in order.
  int32_t lines[kMatchCap];
  int lineCount = 0;
  for (int i = 0; i < matches.count; ++i) {
    if (lineCount == 0 || lines[lineCount - 1] != matches.line[i])
      lines[lineCount++] = matches.line[i];
  }

  bool failed = false;
  auto emit = [&](const char* data, std::size_t n) {
    if (n > 0 && std::fwrite(data, 1, n, out) != n) failed = true;
  };

  if (matches.lineStartsKnown && lineCount > 0) {
    // Each line from its start to its LF (or to 0x1A or the file's end), read in blocks;
    // neighbouring lines usually share a block.
    std::vector<char> block(std::size_t(1) << 14);
    int64_t blockBase = 0;
    std::size_t blockLength = 0;
    int64_t filePos = 0;
    int previousLine = -1;
    for (int i = 0; i < matches.count && !failed; ++i) {
      if (matches.line[i] == previousLine) continue;
      previousLine = matches.line[i];
      int64_t pos = matches.lineStart[i];
      char before = 0;  // the raw byte before the one at pos, within this line
      for (;;) {
        if (pos < blockBase || pos >= blockBase + static_cast<int64_t>(blockLength)) {
          if (pos != filePos && (pos > static_cast<int64_t>(LONG_MAX) ||
                                 std::fseek(in.file, static_cast<long>(pos), SEEK_SET) != 0)) {
            failed = true;
            break;
          }
          blockBase = pos;
          blockLength = std::fread(block.data(), 1, block.size(), in.file);
          filePos = pos + static_cast<int64_t>(blockLength);
          if (blockLength == 0) break;  // the file ends: a last line without LF
        }
        const char* data = block.data() + (pos - blockBase);
        std::size_t n = blockLength - static_cast<std::size_t>(pos - blockBase);
        const void* stop = std::memchr(data, 0x1A, n);
        if (stop) n = static_cast<std::size_t>(static_cast<const char*>(stop) - data);
        const void* lf = std::memchr(data, '\n', n);
        if (lf) {
          std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
          if ((at > 0 ? data[at - 1] : before) == '\r') {
            emit(data, at + 1);
          } else {
            emit(data, at);
            emit("\r\n", 2);
          }
          break;
        }
        emit(data, n);
        if (stop) break;
        before = n > 0 ? data[n - 1] : before;
        pos += static_cast<int64_t>(n);
      }
    }
    if (std::ferror(in.file)) failed = true;
    if (std::fclose(out) != 0) failed = true;
    return failed ? SearchStatus::ResultNotWritten : SearchStatus::Loaded;
  }

  // The copy works on raw bytes: a selected line is written as read, except that an LF without
  // a CR before it gets one, which is what reading in text mode and writing LF as CR LF gives.
  std::vector<char> buf(std::max(blockSize, kMinBlock));
  int64_t line = 0;
  int next = 0;  // index into lines of the next line to copy
  bool copying = lineCount > 0 && lines[0] == 0;
  char previous = 0;  // the raw byte before buf[0]
  bool end = false;
  while (next < lineCount && !end) {
    std::size_t n = std::fread(buf.data(), 1, buf.size(), in.file);
    if (n == 0) break;
    const void* stop = std::memchr(buf.data(), 0x1A, n);
    if (stop) {
      n = static_cast<std::size_t>(static_cast<const char*>(stop) - buf.data());
      end = true;
    }
    const char* data = buf.data();
    std::size_t pos = 0;
    while (pos < n && next < lineCount) {
      if (!copying) {
        // Skip whole lines up to the next selected one.
        int64_t toSkip = lines[next] - line;
        int64_t inBlock = static_cast<int64_t>(countByte(data + pos, n - pos, '\n'));
        if (inBlock < toSkip) {
          line += inBlock;
          break;
        }
        for (; toSkip > 0; --toSkip) {
          pos = static_cast<std::size_t>(
                    static_cast<const char*>(std::memchr(data + pos, '\n', n - pos)) - data) +
                1;
          ++line;
        }
        copying = true;
        continue;
      }
      const void* lf = std::memchr(data + pos, '\n', n - pos);
      if (!lf) {
        emit(data + pos, n - pos);
        break;
      }
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
      char before = at > 0 ? data[at - 1] : previous;
      if (before == '\r') {
        emit(data + pos, at + 1 - pos);
      } else {
        emit(data + pos, at - pos);
        emit("\r\n", 2);
      }
      pos = at + 1;
      ++line;
      ++next;
      copying = next < lineCount && lines[next] == line;
    }
    if (n > 0) previous = data[n - 1];
  }
  if (std::ferror(in.file)) failed = true;
  if (std::fclose(out) != 0) failed = true;
  return failed ? SearchStatus::ResultNotWritten : SearchStatus::Loaded;
}

SearchStatus loadResultBuffer(const char* resultPath) {
  FileCloser in{std::fopen(resultPath, "rb")};
  if (!in.file) return SearchStatus::ResultOpenFailed;
  long size = -1;
  if (std::fseek(in.file, 0, SEEK_END) == 0) size = std::ftell(in.file);
  if (size < 0 || std::fseek(in.file, 0, SEEK_SET) != 0) {
    session.resultSize = -1;
    return SearchStatus::ResultSizeFailed;
  }
  if (!resultBuffer) {
    session.resultSize = 0;
    return SearchStatus::BufferNotAllocated;
  }
  std::size_t wanted = std::min(static_cast<std::size_t>(size), kResultBufferSize);
  std::size_t got = std::fread(resultBuffer, 1, wanted, in.file);
  session.resultSize = static_cast<int32_t>(got);
  return static_cast<std::size_t>(size) > kResultBufferSize ? SearchStatus::LoadedTruncated
                                                            : SearchStatus::Loaded;
}

SearchStatus runDictionarySearch(const SearchPaths& paths) {
  if (session.queryLength < 0 || session.queryLength > kQueryCapacity) {
    return SearchStatus::QueryTooLong;
  }
  // Both files are looked at before either is opened: opening a pipe would wait for a writer.
  switch (fileKind(paths.dictionary)) {
    case FileKind::Missing: return SearchStatus::DictionaryMissing;
    case FileKind::Other: return SearchStatus::DictionaryNotRegular;
    case FileKind::Regular: break;
  }
  if (fileKind(paths.result) == FileKind::Other) return SearchStatus::ResultNotRegular;
  MatchList matches;
  if (!findMatches(paths.dictionary, session.queryText, session.queryLength, session.matchMode,
                   matches, paths.blockSize)) {
    return SearchStatus::DictionaryUnreadable;  // it was there a moment ago
  }
  SearchStatus written =
      writeSelectedLines(paths.dictionary, paths.result, matches, paths.blockSize);
  if (written == SearchStatus::DictionaryMissing || written == SearchStatus::ResultNotCreated) {
    return written;
  }
  session.foundCount = matches.count;
  SearchStatus loaded = loadResultBuffer(paths.result);
  if (loaded == SearchStatus::Loaded || loaded == SearchStatus::LoadedTruncated) {
    // The buffer's lines now belong to this query: F3 pairs them with it.
    std::copy(session.queryText, session.queryText + session.queryLength, session.resultQueryText);
    session.resultQueryLength = session.queryLength;
    session.resultLineWordCount = 0;
  }
  return written == SearchStatus::ResultNotWritten ? written : loaded;
}
