#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/dictionary_choice.h"
#include "cli/platform.h"
#include "search/search.h"

DictionaryChoice chooseDictionary(const char* given) {
  DictionaryChoice choice;
  choice.path = given ? given : "dictiona.dat";
  if (given || fileKind("dictiona.dat") != FileKind::Missing) return choice;
  const std::string installed = installedDictionaryPath();
  if (!installed.empty() && fileKind(installed.c_str()) == FileKind::Regular) {
    choice.path = installed;
    choice.installed = true;
  }
  return choice;
}

bool outputWritten(const char* command) {
  errno = 0;
  bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout)) return true;
  int error = flushed ? 0 : errno;
  std::fprintf(stderr, "vartolik-cli %s: cannot write the output (%s)\n", command,
               error ? std::strerror(error) : "write error");
  return false;
}

bool readLine(std::FILE* in, std::string& line) {
  line.clear();
  for (int c; (c = std::getc(in)) != EOF;) {
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !line.empty();
}
