// The dictionary line count behind "Quantity of words": the LF bytes of dictiona.dat as the
// search reads it (CR LF is one LF, 0x1A ends the file). Portable; the Win32 layer writes the
// report on the status line.
#pragma once
#include <cstdint>

// Why a count failed (countLineEnds returns these negative values).
constexpr int64_t kCountMissing = -1;     // the file cannot be opened
constexpr int64_t kCountNotRegular = -2;  // a folder, a pipe or a device: not opened
constexpr int64_t kCountReadFailed = -3;  // reading it failed

// The number of line ends, or one of the failures above.
int64_t countLineEnds(const char* dictionaryPath);

// Sets session.scrollLine to 0, counts the dictionary's lines and formats the report into
// session.messageText: "Found N words in data file of dictionary", or the Windows-1251 word
// for "error" when the file cannot be counted. Returns 1 when counted, 0 when not.
int countDictionaryFile(const char* dictionaryPath = "dictiona.dat");
