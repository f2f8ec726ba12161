// vartolik-cli: the dictionary's search and line count from the command line, using the same
// core as the program and the same files in the current directory (or the installed
// dictionary when the current directory has none).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "cli/platform.h"

namespace {

const CliCommand kCommands[] = {
    {"search", searchCommand,
     "search dictiona.dat as the program does, rewrite f2.tc, print the lines"},
    {"count", countCommand, "count the lines of dictiona.dat"},
    {"encode", encodeCommand, "UTF-8 on stdin to dictionary bytes (Hindi codes, Windows-1251)"},
    {"decode", decodeCommand, "dictionary bytes on stdin to UTF-8"},
    {"gloss", glossCommand, "UTF-8 text on stdin, each word with the entry that glosses it"},
    {"teacher", teacherCommand, "teacher export: the teacher lists as UTF-8 flashcard lines"},
    {"export", exportCommand, "export stardict: the dictionary for other dictionary programs"},
};

void printUsage(std::FILE* out) {
  std::fprintf(out, "usage: vartolik-cli COMMAND [ARGS...]\n\n");
  for (const CliCommand& c : kCommands) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
  std::fprintf(
      out,
      "\nsearch, count, gloss and export read ./dictiona.dat, or, when the current folder\n"
      "has none, the copy installed with vartolik-cli (PREFIX/share/vartolik/dictiona.dat;\n"
      "on Windows the one beside vartolik-cli.exe), or the file given with --dictionary\n"
      "PATH.\n"
      "Arguments are UTF-8 (on Windows any Unicode text); output is UTF-8 with LF line\n"
      "ends on every system.\n"
      "'vartolik-cli COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  prepareStandardStreams();
  std::vector<std::string> arguments = utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  pointers.reserve(arguments.size() + 1);
  for (std::string& a : arguments) pointers.push_back(&a[0]);
  pointers.push_back(nullptr);
  argc = static_cast<int>(arguments.size());
  argv = pointers.data();
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
