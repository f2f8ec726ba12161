// The dictionary search: scans dictiona.dat for the query of the session under its match mode,
// records up to 100 match positions as line numbers, writes the lines that hold them to f2.tc
// and loads f2.tc into the result buffer. Portable: it never shows anything; the Win32 layer
// (search/search_win.h) turns the status into message boxes.
//
// Observable behaviour (files, foundCount, resultSize, buffer) is that of reading the dictionary
// one translated byte at a time: CR LF reads as LF, a lone CR stays, 0x1A ends the file; the
// query is compared against a window of the last bytes read, which starts as zero bytes, with
// "*" standing for any one byte; a match is judged when the next byte arrives, with the byte
// before the window as left neighbour and that next byte as right neighbour, so a match that
// ends with the file's last byte is never recorded. The scan itself works on raw blocks and
// only verifies the places where the query's longest literal run occurs.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kMatchCap = 100;
constexpr std::size_t kSearchBlockSize = std::size_t(1) << 17;

// What a search (or a load of the result file) did.
enum class SearchStatus {
  Loaded,                // searched; f2.tc written and loaded into the result buffer
  LoadedTruncated,       // as Loaded, but f2.tc is bigger than the buffer: its first bytes loaded
  DictionaryMissing,     // dictiona.dat cannot be opened: nothing changed
  DictionaryNotRegular,  // dictiona.dat is a folder, a pipe or a device: nothing changed
  DictionaryUnreadable,  // reading dictiona.dat failed: nothing changed
  ResultNotRegular,      // f2.tc exists but is not a regular file: nothing changed
  QueryTooLong,          // queryLength outside 0..32: nothing changed
  ResultNotCreated,      // f2.tc cannot be created for writing: nothing changed
  ResultNotWritten,      // f2.tc could not be written completely; what reached it was loaded
  ResultOpenFailed,      // f2.tc cannot be opened for loading: buffer and resultSize unchanged
  ResultSizeFailed,      // the size of f2.tc cannot be read: resultSize is -1
  BufferNotAllocated,    // no result buffer: f2.tc written, foundCount set, resultSize 0
};

// What a path names, looked at before opening it: a pipe or a device would block or mislead
// a read, a folder cannot be written.
enum class FileKind { Missing, Regular, Other };
FileKind fileKind(const char* path);

// 1 when the search got as far as reading the dictionary and rewriting f2.tc (the program then
// shows the results view), 0 when nothing changed.
int searchSucceeded(SearchStatus status);

struct SearchPaths {
  const char* dictionary = "dictiona.dat";
  const char* result = "f2.tc";
  std::size_t blockSize = kSearchBlockSize;  // raw bytes read at a time; small in tests
};

struct MatchList {
  int32_t line[kMatchCap];  // line numbers in the order found, never decreasing
  int count = 0;
  // Raw file offset where each entry's line starts, when the matcher kept it (findMatches
  // does): the result file is then written without reading the dictionary up to each line.
  int64_t lineStart[kMatchCap];
  bool lineStartsKnown = false;
};

// 1 when b is one of the word-boundary bytes ;,.[]()! ?" and LF, else 0.
int isDelimiter(unsigned char b);
// Whether a window match with these neighbours counts under matchMode (Phonetic: never).
bool acceptsMatch(int matchMode, unsigned char left, unsigned char right);

// First pass: the accepted match positions (at most 100) as line numbers. False when the
// dictionary cannot be opened or reading it failed.
bool findMatches(const char* dictionaryPath, const char* query, int queryLength, int matchMode,
                 MatchList& matches, std::size_t blockSize = kSearchBlockSize);

// Second pass: rewrites resultPath with every dictionary line that holds an entry of matches,
// in order, each once, with CR LF line ends (reading from each line's start when matches knows
// it, else from the file's start). Returns Loaded when all was written,
// DictionaryMissing, ResultNotCreated or ResultNotWritten.
SearchStatus writeSelectedLines(const char* dictionaryPath, const char* resultPath,
                                const MatchList& matches, std::size_t blockSize = kSearchBlockSize);

// Loads the raw bytes of resultPath into resultBuffer (at most kResultBufferSize bytes) and
// sets session.resultSize to the number of bytes loaded.
SearchStatus loadResultBuffer(const char* resultPath = "f2.tc");

// The whole search for session.queryText / queryLength / matchMode: sets session.foundCount,
// session.resultSize and the result buffer as the status describes; whenever the buffer was
// reloaded, session.resultQueryText / resultQueryLength hold the query that filled it.
SearchStatus runDictionarySearch(const SearchPaths& paths = SearchPaths());
