// vartolik-cli: the dictionary's search and line count from the command line, using the same
// core as the program and the same files in the current directory (or the installed
// dictionary when the current directory has none).
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"

namespace {

const CliCommand kCommands[] = {
    {"search", searchCommand,
     "search dictiona.dat as the program does, rewrite f2.tc, print the lines"},
    {"count", countCommand, "count the lines of dictiona.dat"},
    {"encode", encodeCommand, "UTF-8 on stdin to dictionary bytes (Hindi codes, Windows-1251)"},
    {"decode", decodeCommand, "dictionary bytes on stdin to UTF-8"},
    {"gloss", glossCommand, "UTF-8 text on stdin, each word with the entry that glosses it"},
    {"teacher", teacherCommand, "teacher export: the teacher lists as UTF-8 flashcard lines"},
};

void printUsage(std::FILE* out) {
  std::fprintf(out, "usage: vartolik-cli COMMAND [ARGS...]\n\n");
  for (const CliCommand& c : kCommands) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
  std::fprintf(out,
               "\nsearch and count read ./dictiona.dat, or, when the current folder has none, the\n"
               "copy installed with vartolik-cli (PREFIX/share/vartolik/dictiona.dat), or the\n"
               "file given with --dictionary PATH.\n"
               "'vartolik-cli COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
      std::strcmp(argv[1], "help") == 0) {
    printUsage(stdout);
    return outputWritten("help") ? 0 : 2;
  }
  for (const CliCommand& c : kCommands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 1, argv + 1);
  }
  std::fprintf(stderr, "vartolik-cli: unknown command \"%s\"\n\n", argv[1]);
  printUsage(stderr);
  return 2;
}
