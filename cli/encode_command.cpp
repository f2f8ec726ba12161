#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "hindi/devanagari.h"

namespace {

const char kEncodeHelp[] =
    "usage: vartolik-cli encode < TEXT.utf8 > TEXT.dat\n"
    "\n"
    "Turns UTF-8 text into the dictionary's bytes: Devanagari into the codes of the Hindi\n"
    "faces (see docs/keyboard.md), Cyrillic into Windows-1251, ASCII as it is. Line ends are\n"
    "kept. Reads and writes one line at a time. A line that cannot be written is refused with\n"
    "its number and character; the lines before it have been written, nothing after it.\n"
    "Exit status: 0 done, 2 refused, or the input cannot be read, or the output cannot be\n"
    "written (said on stderr): with status 2 the output is incomplete.\n";

}  // namespace

int encodeCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kEncodeHelp, stdout);
      return outputWritten("encode") ? 0 : 2;
    }
    std::fprintf(stderr, "vartolik-cli encode: unknown argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  std::string line, bytes;
  for (unsigned long lineNumber = 1; readLine(stdin, line); ++lineNumber) {
    DevanagariError error;
    if (!encodeDictionaryLine(line, bytes, error)) {
      std::fflush(stdout);
      std::fprintf(stderr, "vartolik-cli encode: line %lu, %s\n", lineNumber,
                   describeDevanagariError(error).c_str());
      return 2;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) break;
  }
  if (std::ferror(stdin)) {
    std::fprintf(stderr, "vartolik-cli encode: cannot read the input\n");
    return 2;
  }
  return outputWritten("encode") ? 0 : 2;
}
