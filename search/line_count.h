// The dictionary line count behind "Quantity of words": the LF bytes of dictiona.dat as the
// search reads it (CR LF is one LF, 0x1A ends the file). Portable; the Win32 layer writes the
// report on the status line.
#pragma once
#include <cstdint>

// The number of line ends, or -1 when the file cannot be opened.
int64_t countLineEnds(const char* dictionaryPath);

// Sets session.scrollLine to 0, counts the dictionary's lines and formats the report into
// session.messageText: "Found N words in data file of dictionary", or the Windows-1251 word
// for "error" when the file cannot be opened. Returns 1 when counted, 0 when not.
int countDictionaryFile(const char* dictionaryPath = "dictiona.dat");
