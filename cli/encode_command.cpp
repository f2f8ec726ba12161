#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "hindi/devanagari.h"

namespace {

const char kEncodeHelp[] =
    "usage: vartolik-cli encode < TEXT.utf8 > TEXT.dat\n"
    "\n"
    "Turns UTF-8 text into the dictionary's bytes: Devanagari into the codes of the Hindi\n"
    "faces (see docs/keyboard.md), Cyrillic into Windows-1251, ASCII as it is. Line ends are\n"
    "kept. Text that cannot be written is refused with its line and character, and nothing is\n"
    "printed. Exit status: 0 done, 2 refused.\n";

}  // namespace

int encodeCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kEncodeHelp, stdout);
      return 0;
    }
    std::fprintf(stderr, "vartolik-cli encode: unknown argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  std::string out;
  std::size_t start = 0, lineNumber = 1;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    end = end == std::string::npos ? input.size() : end + 1;
    std::string bytes;
    DevanagariError error;
    if (!encodeDictionaryLine(input.substr(start, end - start), bytes, error)) {
      std::fprintf(stderr, "vartolik-cli encode: line %lu, %s\n",
                   static_cast<unsigned long>(lineNumber), describeDevanagariError(error).c_str());
      return 2;
    }
    out += bytes;
    start = end;
    ++lineNumber;
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
