#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "search/line_count.h"

namespace {

const char kCountHelp[] =
    "usage: vartolik-cli count [--dictionary PATH]\n"
    "\n"
    "Counts the lines of the dictionary as the program's \"Quantity of words\" does (line ends;\n"
    "a last line without one is not counted; 0x1A ends the file).\n"
    "\n"
    "  --dictionary PATH  the dictionary to count; without it ./dictiona.dat, or, when the\n"
    "                     current folder has none, the copy installed with vartolik-cli\n"
    "                     (PREFIX/share/vartolik/dictiona.dat, or on Windows the one\n"
    "                     beside vartolik-cli.exe)\n"
    "\n"
    "Exit status: 0 counted, 2 the dictionary cannot be read or the count cannot be printed.\n"
    "\n"
    "example:\n"
    "  vartolik-cli count\n";

}  // namespace

int countCommand(int argc, char** argv) {
  const char* given = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kCountHelp, stdout);
      return outputWritten("count") ? 0 : 2;
    }
    if (std::strcmp(argv[i], "--dictionary") == 0 && i + 1 < argc) {
      given = argv[++i];
      continue;
    }
    std::fprintf(stderr, "vartolik-cli count: unexpected argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  const DictionaryChoice dictionary = chooseDictionary(given);
  const int64_t count = countLineEnds(dictionary.path.c_str());
  const char* path = dictionary.path.c_str();
  if (count == kCountMissing) {
    std::fprintf(stderr, "Can not find \"%s\"\n", path);
    return 2;
  }
  if (count == kCountNotRegular) {
    std::fprintf(stderr, "vartolik-cli count: \"%s\" is not a regular file\n", path);
    return 2;
  }
  if (count < 0) {
    std::fprintf(stderr, "vartolik-cli count: cannot read \"%s\"\n", path);
    return 2;
  }
  std::printf("Found %lld words in data file of dictionary\n", static_cast<long long>(count));
  return outputWritten("count") ? 0 : 2;
}
