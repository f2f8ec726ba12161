#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "hindi/devanagari.h"

namespace {

const char kDecodeHelp[] =
    "usage: vartolik-cli decode < dictiona.dat > dictionary.utf8\n"
    "\n"
    "Turns the dictionary's bytes into UTF-8, token by token as the result list reads them:\n"
    "the first token of a line and every token with a Hindi code become Devanagari, Russian\n"
    "and notes in parentheses are read as Windows-1251. Separators are kept. Reads and writes\n"
    "one line at a time. Exit status: 0 done, 2 the input cannot be read or the output cannot\n"
    "be written (said on stderr).\n";

}  // namespace

int decodeCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kDecodeHelp, stdout);
      return outputWritten("decode") ? 0 : 2;
    }
    std::fprintf(stderr, "vartolik-cli decode: unknown argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  // Lines are decoded one by one: each starts with its headword, whatever the line before.
  std::string line;
  while (readLine(stdin, line)) {
    std::string out = decodeDictionaryLine(line);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size()) break;
  }
  if (std::ferror(stdin)) {
    std::fprintf(stderr, "vartolik-cli decode: cannot read the input\n");
    return 2;
  }
  return outputWritten("decode") ? 0 : 2;
}
