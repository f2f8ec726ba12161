#include <cstdio>
#include <cstring>

#include "app/session_state.h"
#include "cli/commands.h"
#include "search/line_count.h"

namespace {

const char kCountHelp[] =
    "usage: vartolik-cli count\n"
    "\n"
    "Counts the lines of dictiona.dat in the current directory as the program's \"Quantity of\n"
    "words\" does (line ends; a last line without one is not counted; 0x1A ends the file).\n"
    "\n"
    "example:\n"
    "  cd build/windows/dist && ../../native/vartolik-cli count\n";

}  // namespace

int countCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kCountHelp, stdout);
      return 0;
    }
    std::fprintf(stderr, "vartolik-cli count: unexpected argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }
  if (!countDictionaryFile()) {
    std::fprintf(stderr, "Can not find \"dictiona.dat\"\n");
    return 2;
  }
  std::printf("%s\n", session.messageText);
  return 0;
}
