#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "teacher/teacher_export.h"
#include "teacher/teacher_lists.h"

namespace {

const char kTeacherHelp[] =
    "usage: vartolik-cli teacher export [--dictionary PATH] [--out FILE]\n"
    "\n"
    "Writes the word pairs of hin.tea and rus.tea in the current directory as UTF-8 lines\n"
    "with tab-separated columns, for Anki and other flashcard programs:\n"
    "  Hindi (Devanagari)  Russian (saved with it)  transliteration  translation\n"
    "rus.tea is read as Windows-1251 text: Latin stays Latin, and Hindi codes that earlier\n"
    "versions saved there after a Hindi search come out as they are.\n"
    "The last two come from the headword's entry in the dictionary (dictiona.dat unless\n"
    "--dictionary names another) and stay empty when the word is not there. The first lines\n"
    "are comments that name the separator and the columns. Output goes to stdout, or to FILE.\n"
    "The lists are only read.\n"
    "\n"
    "exit status: 0 done; 1 the lists differ in length (the pairs up to the shorter one are\n"
    "written, with a warning); 2 a list, the dictionary or FILE cannot be opened.\n"
    "\n"
    "example:\n"
    "  cd build/windows/dist && ../../native/vartolik-cli teacher export --out cards.txt\n";

bool isHelp(const char* arg) {
  return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

int exportPairs(const char* dictionaryPath, const char* outPath) {
  std::vector<std::string> hindi, russian;
  const char* names[] = {kHindiListName, kRussianListName};
  std::vector<std::string>* lists[] = {&hindi, &russian};
  for (int k = 0; k < 2; ++k) {
    if (!readTeacherListLines(names[k], *lists[k])) {
      std::fprintf(stderr, "Can not find \"%s\"\n", names[k]);
      return 2;
    }
  }
  const std::size_t pairs = hindi.size() < russian.size() ? hindi.size() : russian.size();
  std::map<std::string, std::string> entries;
  for (std::size_t i = 0; i < pairs; ++i) entries.emplace(hindi[i], "");
  if (!findHeadwordEntries(dictionaryPath, entries)) {
    std::fprintf(stderr, "Can not find \"%s\"\n", dictionaryPath);
    return 2;
  }

  std::FILE* out = outPath ? std::fopen(outPath, "wb") : stdout;
  if (!out) {
    std::fprintf(stderr, "vartolik-cli teacher export: can not create \"%s\"\n", outPath);
    return 2;
  }
  std::string text = kFlashcardHeader;
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::string& entry = entries[hindi[i]];
    text += flashcardLine(hindi[i], russian[i], entry.empty() ? nullptr : &entry);
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = outPath ? std::fclose(out) == 0 : std::fflush(out) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "vartolik-cli teacher export: could not write \"%s\"\n",
                 outPath ? outPath : "stdout");
    return 2;
  }
  if (hindi.size() != russian.size()) {
    std::fprintf(stderr,
                 "warning: %s has %zu lines and %s %zu; only the first %zu pairs were exported\n",
                 kHindiListName, hindi.size(), kRussianListName, russian.size(), pairs);
    return 1;
  }
  return 0;
}

}  // namespace

int teacherCommand(int argc, char** argv) {
  if (argc < 2 || isHelp(argv[1])) {
    std::fputs(kTeacherHelp, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "export") != 0) {
    std::fprintf(stderr, "vartolik-cli teacher: unknown action \"%s\" (try --help)\n", argv[1]);
    return 2;
  }
  const char* dictionary = "dictiona.dat";
  const char* out = nullptr;
  for (int i = 2; i < argc; ++i) {
    if (isHelp(argv[i])) {
      std::fputs(kTeacherHelp, stdout);
      return 0;
    }
    const bool dictionaryOption = std::strcmp(argv[i], "--dictionary") == 0;
    if ((dictionaryOption || std::strcmp(argv[i], "--out") == 0) && i + 1 < argc) {
      (dictionaryOption ? dictionary : out) = argv[++i];
      continue;
    }
    std::fprintf(stderr, "vartolik-cli teacher export: unexpected argument \"%s\" (try --help)\n",
                 argv[i]);
    return 2;
  }
  return exportPairs(dictionary, out);
}
