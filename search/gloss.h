// Glossing a text: every word of a Hindi (or Russian) text matched with the one dictionary
// entry a learner most likely wants, in the order of the text.
//
// The dictionary is read once into tables (`GlossDictionary`), so a text of any length costs
// a few table look-ups per word, never a scan of the dictionary per word. A Hindi word is
// looked for, best first:
//   1. as a headword, spelled as in the text;
//   2. through its inflection: the dictionary forms its ending can stand for (लड़कियों ->
//      लड़की, किताबें -> किताब, जाएगा -> जाना, पढ़कर -> पढ़ना), as written;
//   3. the word and those forms again with what writers spell either way set aside: nukta,
//      chandrabindu or anusvara, a half nasal, the length of i and u, ये/ए (राज/राज़,
//      हिन्दी/हिंदी, रूपये/रुपये, नये/नए).
// Nothing is guessed by sound alone: in running text a word the rules do not lead to an entry
// is more often missing from the dictionary than misspelled, and a near sound (डेट, डेटा) is
// then a wrong gloss.
// A pointer line ("см. HEADWORD") found on the way leads to its target's entry, which is what
// the gloss shows. A Russian word is looked for in the Russian parts: the entries where it (or
// a form of it with a regular ending) stands earliest win — the first word of the first sense
// before a later word, a sense before an example after "~".
//
// Everything here is portable and reads the dictionary's own bytes: headwords in the Hindi
// face's codes, Russian in Windows-1251.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct GlossDictionary {
  std::vector<std::string> lines;  // every line of dictiona.dat, without its line end
  // Headword (Devanagari, UTF-8) -> line, and its spelling with the variable signs set aside
  // -> line. The first line wins.
  std::unordered_map<std::string, int32_t> exact, loose;
  // A folded Russian stem -> the lines whose Russian part holds a word of that stem, with the
  // word's rank (its place: earlier is better, examples last).
  struct RussianPlace {
    int32_t line;
    int32_t rank;
    int32_t senseItems;  // how many items its sense has: the fewer, the surer the sense
    bool whole;          // the word itself, not one of its stems
  };
  std::unordered_map<std::string, std::vector<RussianPlace>> russian;
};

// Reads the dictionary into the tables. False when it cannot be opened or read.
bool loadGlossDictionary(const char* path, GlossDictionary& dictionary);
// The same from the dictionary's bytes (lines ended by LF or CR LF; 0x1A ends the text).
void buildGlossDictionary(const std::string& bytes, GlossDictionary& dictionary);

// The line of the entry that glosses a Hindi word (Devanagari, UTF-8), or -1. A pointer line
// is followed to its target.
int32_t glossHindiWord(const GlossDictionary& dictionary, const std::string& utf8);
// The line of the entry that glosses a Russian word (Windows-1251), or -1.
int32_t glossRussianWord(const GlossDictionary& dictionary, const std::string& cp1251);

// The dictionary forms a Hindi word's ending may stand for, most likely first (लड़कियों ->
// लड़की; लड़कों -> लड़क, लड़का). Never the word itself; no form shorter than one letter.
std::vector<std::string> hindiDictionaryForms(const std::string& utf8);

// One word of a text and where it stands.
struct TextWord {
  std::string text;  // UTF-8
  bool hindi;        // Devanagari; otherwise Cyrillic
  bool mixed;        // letters of another script stand in the same word (पानीwater)
};

// Splits UTF-8 text into its Devanagari and Cyrillic words, in order; Latin words, digits and
// punctuation separate them (a Latin run glued to a word marks it mixed). Invalid UTF-8 bytes
// are skipped; `badOffsets` receives each one's byte offset (plus `base`).
void splitTextWords(const std::string& utf8, std::vector<TextWord>& words,
                    std::vector<std::size_t>* badOffsets = nullptr, std::size_t base = 0);

// The headword of a dictionary line (the face's codes up to the first space).
std::string glossHeadword(const std::string& line);

// ---- A copied sentence, glossed for the result list ----------------------------------------

// A text of this many words (Devanagari and Cyrillic) is glossed as a sentence when tracked.
constexpr int kSentenceMinWords = 4;
constexpr int kSentenceMaxWords = 60;

struct SentenceGloss {
  int words = 0;  // words of the text
  int found = 0;  // of them, the ones with an entry
  // The entries to list, each once, in the order of the text (at most 100), and for each the
  // word of the text (dictionary bytes) that first led to it.
  std::vector<int32_t> lines;
  std::vector<std::string> leadingWords;
  std::vector<std::string> missing;  // words with no entry (dictionary bytes), each once
};

// Glosses the words of a text in order.
SentenceGloss glossSentence(const GlossDictionary& dictionary, const std::vector<TextWord>& words);

// What the result file holds for a gloss: the listed entries, then, when words were not found,
// one line in the dictionary's format that names them: "? (нет в словаре) w1, w2, ...".
// Lines end with LF (the result file stores them as CR LF).
std::string sentenceGlossText(const GlossDictionary& dictionary, const SentenceGloss& gloss);

// Rewrites the result file with that text and loads it into the result buffer, as a search
// does: Loaded, ResultNotCreated, ResultNotWritten or a status of the load.
enum class SearchStatus;
SearchStatus saveSentenceGloss(const char* resultPath, const std::string& text);
