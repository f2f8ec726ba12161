// vartolik-cli gloss: every word of a UTF-8 text with the entry that glosses it, in order.
// The text is read in blocks, so only the dictionary's tables and the set of the text's
// distinct words (a hash and a line number each) grow with the input.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/commands.h"
#include "cli/dictionary_choice.h"
#include "hindi/cp1251.h"
#include "hindi/devanagari.h"
#include "search/gloss.h"
#include "teacher/teacher_export.h"
#include "teacher/teacher_lists.h"

namespace {

const char kGlossHelp[] =
    "usage: vartolik-cli gloss [--dictionary PATH] [--tsv] < TEXT\n"
    "\n"
    "Reads UTF-8 text on standard input and prints each Hindi (Devanagari) or Russian word in\n"
    "order with the dictionary entry that glosses it: the word's own entry, its dictionary\n"
    "form's for an inflected word, a pointer line's target, or the entry that sounds like it;\n"
    "Russian words through the Russian parts. Lines: word<TAB>headword (reading) Russian, or "
    "word<TAB> when\n"
    "nothing glosses it. A summary goes to standard error.\n"
    "\n"
    "  --dictionary PATH  the dictionary to read (default: ./dictiona.dat, or the installed copy)\n"
    "  --tsv          print each distinct glossed word once, as flashcard rows with the columns\n"
    "                 of 'teacher export' (Hindi, Russian, Transliteration, Translation)\n"
    "\n"
    "Invalid UTF-8 is reported with its byte offset and skipped. Exit status: 0 done, 2 the\n"
    "dictionary cannot be read or the output cannot be written.\n";

// The bytes of the pending input that can be glossed now: up to the last ASCII byte that is
// not a letter (a word never runs across it), or everything at the end of the input. Input
// without such a byte is held back until it grows past kLongestRun, then cut before its last
// UTF-8 character, which may be incomplete.
constexpr std::size_t kLongestRun = std::size_t(1) << 20;

std::size_t readyLength(const std::string& text, bool atEnd) {
  if (atEnd) return text.size();
  for (std::size_t i = text.size(); i-- > 0;) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    bool letter = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
    if (b < 0x80 && !letter) return i + 1;
  }
  if (text.size() < kLongestRun) return 0;
  std::size_t i = text.size();
  while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0) == 0x80) --i;
  return i > 0 ? i - 1 : 0;  // i is just past the last lead byte
}

struct GlossRun {
  const GlossDictionary& dictionary;
  bool tsv;
  uint64_t words = 0, glossed = 0, distinctGlossed = 0;
  // hash of a distinct word -> its entry's line (-1 none); 2 flags in the high bits unused.
  std::unordered_map<uint64_t, int32_t> seen;

  int32_t entryOf(const TextWord& word) const {
    if (word.hindi) return glossHindiWord(dictionary, word.text);
    std::string bytes, error;
    if (!utf8ToCp1251(word.text, bytes, error)) return -1;
    return glossRussianWord(dictionary, bytes);
  }

  void print(const TextWord& word, int32_t line, bool firstTime) {
    const std::string* entry =
        line >= 0 ? &dictionary.lines[static_cast<std::size_t>(line)] : nullptr;
    if (!tsv) {
      std::printf("%s\t%s\n", word.text.c_str(), entry ? decodeDictionaryLine(*entry).c_str() : "");
    } else if (entry && firstTime) {
      // The Russian column holds what F3 would save: the Russian word of a Russian text, the
      // entry's first translation for a Hindi one.
      std::string russian;
      std::string error;
      if (word.hindi || !utf8ToCp1251(word.text, russian, error))
        russian = firstRussianTranslation(*entry);
      std::fputs(flashcardLine(glossHeadword(*entry), russian, entry).c_str(), stdout);
    }
  }

  void gloss(const std::string& text, std::size_t offset) {
    std::vector<TextWord> found;
    std::vector<std::size_t> bad;
    splitTextWords(text, found, &bad, offset);
    for (std::size_t at : bad) {
      std::fprintf(stderr, "vartolik-cli gloss: byte %llu: not valid UTF-8, skipped\n",
                   static_cast<unsigned long long>(at));
    }
    for (const TextWord& word : found) {
      ++words;
      const uint64_t hash = std::hash<std::string>()(word.text);
      auto it = seen.find(hash);
      const bool firstTime = it == seen.end();
      const int32_t line = firstTime ? entryOf(word) : it->second;
      if (firstTime) {
        seen.emplace(hash, line);
        if (line >= 0) ++distinctGlossed;
      }
      if (line >= 0) ++glossed;
      print(word, line, firstTime);
    }
  }
};

double share(uint64_t part, uint64_t whole) {
  return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

}  // namespace

int glossCommand(int argc, char** argv) {
  const char* given = nullptr;
  bool tsv = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kGlossHelp, stdout);
      return outputWritten("gloss") ? 0 : 2;
    } else if (std::strcmp(argv[i], "--tsv") == 0) {
      tsv = true;
    } else if (std::strcmp(argv[i], "--dictionary") == 0 && i + 1 < argc) {
      given = argv[++i];
    } else {
      std::fprintf(stderr, "vartolik-cli gloss: unexpected argument \"%s\" (try --help)\n",
                   argv[i]);
      return 2;
    }
  }
  const DictionaryChoice choice = chooseDictionary(given);
  GlossDictionary dictionary;
  if (!loadGlossDictionary(choice.path.c_str(), dictionary)) {
    std::fprintf(stderr, "vartolik-cli gloss: cannot read the dictionary \"%s\"\n",
                 choice.path.c_str());
    return 2;
  }
  GlossRun run{dictionary, tsv, 0, 0, 0, {}};
  if (tsv) std::fputs(kFlashcardHeader, stdout);
  std::string pending;
  std::size_t offset = 0;  // of pending's first byte in the input
  char block[1 << 16];
  for (bool end = false; !end;) {
    std::size_t got = std::fread(block, 1, sizeof block, stdin);
    end = got == 0;
    pending.append(block, got);
    std::size_t ready = readyLength(pending, end);
    if (ready == 0) continue;
    run.gloss(pending.substr(0, ready), offset);
    pending.erase(0, ready);
    offset += ready;
  }
  std::fprintf(stderr,
               "vartolik-cli gloss: %llu words, %llu distinct; glossed %.1f %% of the words, "
               "%.1f %% of the distinct words\n",
               static_cast<unsigned long long>(run.words),
               static_cast<unsigned long long>(run.seen.size()), share(run.glossed, run.words),
               share(run.distinctGlossed, run.seen.size()));
  return outputWritten("gloss") ? 0 : 2;
}
