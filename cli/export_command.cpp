#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/text_stream.h"
#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "hindi/devanagari.h"
#include "search/common_words.h"
#include "search/search.h"
#include "stardict/dictionary_books.h"
#include "stardict/stardict_format.h"

namespace fs = std::filesystem;

namespace {

const char kExportHelp[] =
    "usage: vartolik-cli export stardict --out DIR [--dictionary PATH]\n"
    "\n"
    "Writes the dictionary as two StarDict 3.0.0 dictionaries into DIR (made when missing),\n"
    "for GoldenDict, sdcv and other dictionary programs:\n"
    "  vartolik-hin-rus  Hindi -> Russian: an article per entry (reading, marks, senses);\n"
    "                    the plural, oblique and verb forms of each headword and the\n"
    "                    variant spellings and irregular forms lead to it (.syn)\n"
    "  vartolik-rus-hin  Russian -> Hindi: the Russian words of the translations, each\n"
    "                    with the Hindi headwords it translates\n"
    "Each is NAME.ifo, NAME.idx, NAME.dict.dz (compressed by dictzip when it is installed,\n"
    "else NAME.dict) and, for the first, NAME.syn. They are written under temporary names in\n"
    "DIR/.vartolik-stardict.part and renamed when all are complete, each .ifo last; other\n"
    "files in DIR are left alone.\n"
    "\n"
    "  --dictionary PATH  the dictionary to export; without it ./dictiona.dat, or, when the\n"
    "                     current folder has none, the copy installed with vartolik-cli\n"
    "\n"
    "exit status: 0 written; 1 written, but some lines of the dictionary could not be read\n"
    "(named on stderr, left out); 2 nothing written: the dictionary is missing, unreadable or\n"
    "holds no entries, or DIR cannot be written.\n"
    "\n"
    "example:\n"
    "  vartolik-cli export stardict --out ~/stardict && sdcv --data-dir ~/stardict -n "
    "\xe0\xa4\xaa\xe0"
    "\xa4\xbe\xe0\xa4\xa8\xe0\xa5\x80\n";

const char kWorkFolder[] = ".vartolik-stardict.part";

struct Book {
  const char* name;
  StarDictBook about;
  StarDictFiles files;
  std::string dictExtension = ".dict";
};

bool isHelp(const char* arg) {
  return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  char text[16] = "";
  if (const std::tm* t = std::localtime(&now)) std::strftime(text, sizeof text, "%Y.%m.%d", t);
  return text;
}

std::string withCount(const char* text, std::size_t count) {
  std::string out = text;
  out.replace(out.find("%N"), 2, std::to_string(count));
  return out;
}

// dictzip replaces FILE with FILE.dz, the gzip form clients read by random access. Only where
// a POSIX shell can find it: the Windows build leaves the text as .dict.
bool dictzipped(const fs::path& file) {
#ifdef _WIN32
  (void)file;
  return false;
#else
  if (std::system("command -v dictzip >/dev/null 2>&1") != 0) return false;
  std::string quoted = "'";
  for (char c : file.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  std::error_code error;
  fs::path dz = file;
  dz += ".dz";
  if (std::system(("dictzip " + quoted + " >/dev/null 2>&1").c_str()) == 0 &&
      fs::is_regular_file(dz, error) && !fs::exists(file, error))
    return true;
  fs::remove(dz, error);  // a failed run: the plain text stays
  return false;
#endif
}

bool writeBook(const fs::path& work, Book& book) {
  const fs::path base = work / book.name;
  const std::pair<const char*, const std::string*> files[] = {{".idx", &book.files.idx},
                                                              {".syn", &book.files.syn},
                                                              {".dict", &book.files.dict},
                                                              {".ifo", &book.files.ifo}};
  for (const auto& f : files) {
    if (f.second->empty() && std::strcmp(f.first, ".syn") == 0) continue;
    fs::path path = base;
    path += f.first;
    if (!writeRawFile(path.string().c_str(), *f.second)) {
      std::fprintf(stderr, "vartolik-cli export stardict: cannot write \"%s\"\n",
                   path.string().c_str());
      return false;
    }
  }
  fs::path dict = base;
  dict += ".dict";
  if (dictzipped(dict)) book.dictExtension = ".dict.dz";
  return true;
}

// Moves a complete book from the work folder into DIR. The old .ifo goes first and the new one
// comes last, so at no moment does an .ifo stand beside files of another export.
bool moveBook(const fs::path& work, const fs::path& out, const Book& book) {
  std::error_code error;
  auto path = [&book](const fs::path& folder, const char* extension) {
    fs::path p = folder / book.name;
    p += extension;
    return p;
  };
  fs::remove(path(out, ".ifo"), error);
  if (error) return false;
  std::vector<const char*> moved = {".idx", book.dictExtension.c_str()};
  if (!book.files.syn.empty()) moved.push_back(".syn");
  moved.push_back(".ifo");
  // Files of an earlier export that this one does not make (the other form of the text).
  for (const char* stale : {".dict", ".dict.dz", ".syn"}) {
    bool made = false;
    for (const char* m : moved) made = made || std::strcmp(m, stale) == 0;
    if (!made) fs::remove(path(out, stale), error);
  }
  for (const char* extension : moved) {
    fs::remove(path(out, extension), error);  // rename does not replace a file everywhere
    fs::rename(path(work, extension), path(out, extension), error);
    if (error) {
      std::fprintf(stderr, "vartolik-cli export stardict: cannot move \"%s\" into place (%s)\n",
                   path(work, extension).string().c_str(), error.message().c_str());
      return false;
    }
  }
  return true;
}

int exportStarDict(const char* given, const char* outDir) {
  const DictionaryChoice dictionary = chooseDictionary(given);
  const char* path = dictionary.path.c_str();
  const FileKind kind = fileKind(path);
  std::string bytes;
  if (kind == FileKind::Missing) {
    std::fprintf(stderr, "Can not find \"%s\"\n", path);
    return 2;
  }
  if (kind != FileKind::Regular) {
    std::fprintf(stderr, "vartolik-cli export stardict: \"%s\" is not a regular file\n", path);
    return 2;
  }
  if (!readRawFile(path, bytes)) {
    std::fprintf(stderr, "vartolik-cli export stardict: cannot read \"%s\"\n", path);
    return 2;
  }
  const ParsedDictionary parsed = parseDictionary(bytes);
  std::size_t full = 0;
  for (const DictionaryEntry& e : parsed.entries) full += e.russian.compare(0, 6, "см. ") != 0;
  if (full == 0) {
    std::fprintf(stderr, "vartolik-cli export stardict: \"%s\" holds no dictionary entries\n",
                 path);
    return 2;
  }

  Book books[2] = {
      {"vartolik-hin-rus",
       {"Вартолик: хинди-русский словарь", "Вартолик 1.0",
        withCount("Хинди-русский словарь «Вартолик» 1.0, %N статей для русских читателей, "
                  "изучающих хинди. В статье: чтение слова кириллицей в скобках (двоеточие — "
                  "долгота, заглавные буквы — церебральные согласные, ~ — носовой гласный), "
                  "грамматическая помета, значения и примеры; ~ в примерах заменяет заглавное "
                  "слово. Формы слов (множественное число, косвенные формы, формы глагола) и "
                  "варианты написания ведут к статье словарной формы.",
                  full),
        today()},
       {}},
      {"vartolik-rus-hin", {"Вартолик: русско-хинди словарь", "Вартолик 1.0", "", today()}, {}}};
  std::string error;
  const StarDictSource hindi = hindiRussianBook(parsed);
  // The starter vocabulary beside the dictionary leads a Russian word's list; without
  // common.dat the list keeps dictionary order.
  std::vector<std::string> starter;
  for (const std::string& codes : commonWordsBeside(path).word)
    starter.push_back(codesToDevanagari(codes));
  std::sort(starter.begin(), starter.end());
  const StarDictSource russian = russianHindiBook(parsed, starter);
  books[1].about.description = withCount(
      "Русско-хинди словарь «Вартолик» 1.0, составленный по его хинди-русскому "
      "словарю: %N русских слов. В статье: слова хинди с чтением кириллицей и то "
      "значение, в переводе которого встречается русское слово.",
      russian.articles.size());
  if (!buildStarDict(hindi.articles, hindi.synonyms, books[0].about, books[0].files, error) ||
      !buildStarDict(russian.articles, russian.synonyms, books[1].about, books[1].files, error)) {
    std::fprintf(stderr, "vartolik-cli export stardict: %s\n", error.c_str());
    return 2;
  }

  const fs::path out(outDir);
  const fs::path work = out / kWorkFolder;
  std::error_code fsError;
  if (fs::exists(out, fsError) && !fs::is_directory(out, fsError)) {
    std::fprintf(stderr, "vartolik-cli export stardict: \"%s\" is not a folder\n", outDir);
    return 2;
  }
  fs::create_directories(out, fsError);
  fs::remove_all(work, fsError);  // left by an interrupted export
  if (!fs::create_directory(work, fsError)) {
    std::fprintf(stderr, "vartolik-cli export stardict: cannot write into \"%s\" (%s)\n", outDir,
                 fsError ? fsError.message().c_str() : "exists");
    return 2;
  }
  bool written = writeBook(work, books[0]) && writeBook(work, books[1]);
  written = written && moveBook(work, out, books[0]) && moveBook(work, out, books[1]);
  fs::remove_all(work, fsError);
  if (!written) return 2;

  for (const Book& b : books) {
    std::printf("%s: %zu articles, %zu further words (%s)\n", b.name, b.files.wordCount,
                b.files.synWordCount, b.dictExtension.c_str() + 1);
  }
  const std::size_t shown = parsed.malformedLines.size() < 5 ? parsed.malformedLines.size() : 5;
  for (std::size_t i = 0; i < shown; ++i) {
    std::fprintf(stderr,
                 "vartolik-cli export stardict: line %d has no \"(reading)\" after its headword; "
                 "left out\n",
                 parsed.malformedLines[i]);
  }
  if (parsed.malformedLines.size() > shown) {
    std::fprintf(stderr, "vartolik-cli export stardict: and %zu more such lines\n",
                 parsed.malformedLines.size() - shown);
  }
  if (!outputWritten("export")) return 2;
  return parsed.malformedLines.empty() ? 0 : 1;
}

}  // namespace

int exportCommand(int argc, char** argv) {
  if (argc < 2 || isHelp(argv[1])) {
    std::fputs(kExportHelp, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "stardict") != 0) {
    std::fprintf(stderr, "vartolik-cli export: unknown format \"%s\" (try --help)\n", argv[1]);
    return 2;
  }
  const char* dictionary = nullptr;
  const char* out = nullptr;
  for (int i = 2; i < argc; ++i) {
    if (isHelp(argv[i])) {
      std::fputs(kExportHelp, stdout);
      return outputWritten("export") ? 0 : 2;
    }
    const bool dictionaryOption = std::strcmp(argv[i], "--dictionary") == 0;
    if ((dictionaryOption || std::strcmp(argv[i], "--out") == 0) && i + 1 < argc) {
      (dictionaryOption ? dictionary : out) = argv[++i];
      continue;
    }
    std::fprintf(stderr, "vartolik-cli export stardict: unexpected argument \"%s\" (try --help)\n",
                 argv[i]);
    return 2;
  }
  if (!out) {
    std::fprintf(stderr, "vartolik-cli export stardict: --out DIR is needed (try --help)\n");
    return 2;
  }
  return exportStarDict(dictionary, out);
}
