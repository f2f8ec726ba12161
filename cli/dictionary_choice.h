// Which dictionary a command reads and where its search result goes.
#pragma once
#include <cstdio>
#include <string>

struct DictionaryChoice {
  std::string path;        // the dictionary to read
  bool installed = false;  // the copy installed with the program (cli/platform.h)
};

// --dictionary PATH when given; else ./dictiona.dat when there is anything of that name (the
// program's rule, so a folder in its place is reported, not passed over); else the copy
// installed with vartolik-cli (installedDictionaryPath) when there is one; else ./dictiona.dat,
// which the command then reports missing.
DictionaryChoice chooseDictionary(const char* given);

// Flushes standard output and tells whether everything printed reached it; on failure prints
// "vartolik-cli COMMAND: cannot write the output (REASON)" to stderr.
bool outputWritten(const char* command);

// Reads one line of `in` with its LF (the last may lack one) into line; false at the end.
bool readLine(std::FILE* in, std::string& line);
