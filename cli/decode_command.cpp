#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "hindi/devanagari.h"

namespace {

const char kDecodeHelp[] =
    "usage: vartolik-cli decode < dictiona.dat > dictionary.utf8\n"
    "\n"
    "Turns the dictionary's bytes into UTF-8, token by token as the result list reads them:\n"
    "the first token of a line and every token with a Hindi code become Devanagari, Russian\n"
    "and notes in parentheses are read as Windows-1251. Separators are kept. Exit status 0.\n";

}  // namespace

int decodeCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kDecodeHelp, stdout);
      return 0;
    }
    std::fprintf(stderr, "vartolik-cli decode: unknown argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  std::string out = decodeDictionaryLine(input);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
