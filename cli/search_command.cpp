#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "base/session_state.h"
#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "hindi/devanagari.h"
#include "search/result_buffer.h"
#include "search/search.h"

namespace {

const char kSearchHelp[] =
    "usage: vartolik-cli search [--mode MODE] [--raw] [--dictionary PATH] [--write-result]\n"
    "                           [--] QUERY\n"
    "\n"
    "Searches the dictionary exactly as the program does (at most 100 matches), rewrites f2.tc\n"
    "in the current directory and prints the lines found.\n"
    "\n"
    "  --dictionary PATH  the dictionary to search; without it ./dictiona.dat, or, when the\n"
    "                 current folder has none, the copy installed with vartolik-cli\n"
    "                 (PREFIX/share/vartolik/dictiona.dat, or on Windows the one beside\n"
    "                 vartolik-cli.exe)\n"
    "  --write-result  write f2.tc even when searching the installed copy (otherwise only\n"
    "                 the lines are printed and the current folder is left alone)\n"
    "  --mode MODE  how QUERY must match:\n"
    "                 substring   (0, SubString)    anywhere (default)\n"
    "                 word-start  (1, RightAppend)  at the start of a word\n"
    "                 word-end    (2, LeftAppend)   at the end of a word\n"
    "                 whole-word  (3, Exact)        as a whole word\n"
    "                 phonetic    (4, Phonetic)     by sound: a Latin transliteration,\n"
    "                                               Devanagari or Russian, inflected or not\n"
    "  --raw        take QUERY's bytes as they are (Hindi font codes, Windows-1251)\n"
    "\n"
    "QUERY is UTF-8 (Hindi is converted to the Hindi face's codes, Russian to Windows-1251),\n"
    "at most 32 bytes once converted; \"*\" stands for\n"
    "any one byte (not in phonetic). Exit status: 0 done, 1 searched but f2.tc could not be "
    "loaded, 2 refused or\n"
    "failed (the dictionary cannot be read, the output cannot be written); f2.tc is left as it\n"
    "was whenever the dictionary could not be read.\n"
    "\n"
    "examples:\n"
    "  vartolik-cli search \xD0\xB4\xD0\xBE\xD0\xBC\n"
    "  vartolik-cli search --mode whole-word \xD0\xB4\xD0\xBE\xD0\xBC\n"
    "  vartolik-cli search \xE0\xA4\x98\xE0\xA4\xB0\n"
    "  vartolik-cli search --raw --mode 1 'ka*'\n"
    "  vartolik-cli search --mode phonetic paanee\n";

struct ModeName {
  const char* name;
  const char* alias;
  const char* number;
  int mode;
};

const ModeName kModes[] = {
    {"substring", "SubString", "0", SubString},  {"word-start", "RightAppend", "1", RightAppend},
    {"word-end", "LeftAppend", "2", LeftAppend}, {"whole-word", "Exact", "3", Exact},
    {"phonetic", "Phonetic", "4", Phonetic},
};

int parseMode(const char* text) {
  for (const ModeName& m : kModes) {
    if (std::strcmp(text, m.name) == 0 || std::strcmp(text, m.alias) == 0 ||
        std::strcmp(text, m.number) == 0) {
      return m.mode;
    }
  }
  return -1;
}

int refuse(const std::string& message) {
  std::fprintf(stderr, "vartolik-cli search: %s\n", message.c_str());
  return 2;
}

// Where the result file goes: f2.tc in the current folder, as the program writes it, except
// for a search of the installed copy, whose result goes to a scratch file unless asked for.
std::string resultPath(const DictionaryChoice& dictionary, bool writeResult) {
  if (!dictionary.installed || writeResult) return "f2.tc";
  std::random_device random;
  // UTF-8, the code page of file names on both systems (cli/platform.h): a temporary folder
  // under a Cyrillic user name must not fail to convert.
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = ".";
  return (folder / ("vartolik-cli-" + std::to_string(random()) + std::to_string(random()) + ".tc"))
      .u8string();
}

void printResult() {
  std::string text(resultBuffer, resultBuffer + (session.resultSize > 0 ? session.resultSize : 0));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    bool hasEnd = end != std::string::npos;
    if (!hasEnd) end = text.size();
    std::string line = text.substr(start, end - start);
    if (hasEnd && !line.empty() && line.back() == '\r') line.pop_back();
    std::printf("%s\n", decodeDictionaryLine(line).c_str());
    start = end + 1;
  }
}

}  // namespace

int searchCommand(int argc, char** argv) {
  int mode = SubString;
  bool raw = false;
  bool writeResult = false;
  const char* given = nullptr;
  const char* query = nullptr;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (options && (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)) {
      std::fputs(kSearchHelp, stdout);
      return 0;
    } else if (options && std::strcmp(a, "--raw") == 0) {
      raw = true;
    } else if (options && std::strcmp(a, "--write-result") == 0) {
      writeResult = true;
    } else if (options && std::strcmp(a, "--dictionary") == 0) {
      if (i + 1 >= argc) return refuse("--dictionary needs a path (try --help)");
      given = argv[++i];
    } else if (options && std::strcmp(a, "--mode") == 0) {
      if (i + 1 >= argc) return refuse("--mode needs a value (try --help)");
      mode = parseMode(argv[++i]);
      if (mode < 0) return refuse(std::string("unknown mode \"") + argv[i] + "\" (try --help)");
    } else if (options && std::strcmp(a, "--") == 0) {
      options = false;
    } else if (options && a[0] == '-' && a[1] != '\0') {
      return refuse(std::string("unknown option \"") + a + "\" (try --help)");
    } else if (query) {
      return refuse("give one query (quote a query with spaces)");
    } else {
      query = a;
    }
  }
  if (!query) return refuse("no query given (try --help)");

  std::string bytes = query;
  if (!raw) {
    DevanagariError error;
    if (!encodeDictionaryLine(query, bytes, error)) {
      return refuse("the query cannot be written in the dictionary's bytes: " +
                    describeDevanagariError(error));
    }
  }
  if (bytes.size() > static_cast<std::size_t>(kQueryCapacity)) {
    return refuse("the query is " + std::to_string(bytes.size()) + " bytes long; at most " +
                  std::to_string(kQueryCapacity) + " fit in the query line");
  }
  std::memcpy(session.queryText, bytes.data(), bytes.size());
  session.queryLength = static_cast<int32_t>(bytes.size());
  session.matchMode = mode;
  // Phonetic reads Latin letters as the face's codes too only when the search language is
  // Hindi: so for raw bytes and Devanagari (U+0900 to U+097F), not for a transliteration.
  bool devanagari = std::strstr(query, "\xE0\xA4") || std::strstr(query, "\xE0\xA5");
  session.searchLanguage = raw || devanagari ? 1 : 0;

  const DictionaryChoice dictionary = chooseDictionary(given);
  const std::string result = resultPath(dictionary, writeResult);
  SearchPaths paths;
  paths.dictionary = dictionary.path.c_str();
  paths.result = result.c_str();
  std::vector<char> buffer(kResultBufferSize);
  resultBuffer = buffer.data();
  SearchStatus status = runDictionarySearch(paths);
  resultBuffer = nullptr;
  if (result != "f2.tc") std::remove(result.c_str());
  switch (status) {
    case SearchStatus::DictionaryMissing:
      std::fprintf(stderr, "Can not find \"%s\"\n", paths.dictionary);
      return 2;
    case SearchStatus::DictionaryNotRegular:
      return refuse("\"" + dictionary.path + "\" is not a regular file; f2.tc was not changed");
    case SearchStatus::DictionaryUnreadable:
      return refuse("cannot read \"" + dictionary.path + "\"; f2.tc was not changed");
    case SearchStatus::ResultNotRegular:
      return refuse("f2.tc in the current directory is not a regular file; nothing was changed");
    case SearchStatus::ResultNotCreated:
      return refuse("cannot create f2.tc in the current directory; nothing was changed");
    case SearchStatus::QueryTooLong: return refuse("the query is too long");
    case SearchStatus::ResultOpenFailed:
    case SearchStatus::ResultSizeFailed:
      std::printf("Dictionary has found %d words for you\n", session.foundCount);
      std::fprintf(stderr, "vartolik-cli search: f2.tc was written but cannot be read back\n");
      return outputWritten("search") ? 1 : 2;
    default: break;
  }
  resultBuffer = buffer.data();
  std::printf("Dictionary has found %d words for you\n", session.foundCount);
  printResult();
  resultBuffer = nullptr;
  if (status == SearchStatus::LoadedTruncated) {
    std::fprintf(stderr,
                 "vartolik-cli search: f2.tc is longer than the result buffer; only its first "
                 "%d bytes are shown, as in the program\n",
                 session.resultSize);
  } else if (status == SearchStatus::ResultNotWritten) {
    std::fprintf(stderr, "vartolik-cli search: f2.tc could not be written completely\n");
    return outputWritten("search") ? 1 : 2;
  }
  return outputWritten("search") ? 0 : 2;
}
