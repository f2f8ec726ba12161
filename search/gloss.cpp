// The tables of a text gloss and the look-up of one word (see gloss.h for the order).
#include "search/gloss.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/text_stream.h"
#include "hindi/cp1251.h"
#include "hindi/devanagari.h"
#include "search/phonetic.h"
#include "search/search.h"

namespace {

std::u32string toU32(const std::string& utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    std::size_t n = utf8CharAt(utf8, i, cp);
    if (n == 0) {
      ++i;
      continue;
    }
    out += static_cast<char32_t>(cp);
    i += n;
  }
  return out;
}

std::string toUtf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) appendUtf8(out, static_cast<uint32_t>(c));
  return out;
}

constexpr char32_t kNukta = 0x093C;
constexpr char32_t kCandrabindu = 0x0901;
constexpr char32_t kAnusvara = 0x0902;

bool isDevanagariLetter(char32_t c) {
  return (c >= 0x0900 && c <= 0x0963) || (c >= 0x0971 && c <= 0x097F);
}
bool isCyrillicLetter(char32_t c) {
  return (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451;
}
bool isLatinLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// A letter that can carry a syllable: a consonant or an independent vowel.
bool isSyllableBase(char32_t c) {
  return (c >= 0x0904 && c <= 0x0939) || (c >= 0x0958 && c <= 0x0961) || c == 0x0972;
}

// Text as written: the precomposed nukta letters (U+0958..U+095F) as letter + nukta, the way
// the faces' codes come back as Devanagari; joiners dropped.
std::u32string spelled(const std::u32string& word) {
  static const char32_t kBase[8] = {0x0915, 0x0916, 0x0917, 0x091C, 0x0921, 0x0922, 0x092B, 0x092F};
  std::u32string out;
  for (char32_t c : word) {
    if (c >= 0x0958 && c <= 0x095F) {
      out += kBase[c - 0x0958];
      out += kNukta;
    } else if (c != 0x200C && c != 0x200D) {
      out += c;
    }
  }
  return out;
}

// The spelling with what writers often leave out or swap set aside: no nukta, chandrabindu as
// anusvara, a half nasal before a consonant as anusvara (हिन्दी हिंदी), long i and u as short
// (रूपये रुपये), ये and यी as ए and ई after a vowel (नये नए).
std::u32string loosely(const std::u32string& word) {
  std::u32string out;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char32_t c = word[i];
    if (c == kNukta) continue;
    const bool halfNasal =
        (c == 0x0919 || c == 0x091E || c == 0x0923 || c == 0x0928 || c == 0x092E) &&
        i + 2 < word.size() && word[i + 1] == 0x094D && word[i + 2] >= 0x0915 &&
        word[i + 2] <= 0x0939;
    if (halfNasal) {
      out += kAnusvara;
      ++i;  // the halant
      continue;
    }
    const bool afterVowel = !out.empty() && ((out.back() >= 0x093E && out.back() <= 0x094C) ||
                                             (out.back() >= 0x0904 && out.back() <= 0x0914));
    if (c == 0x092F && afterVowel && i + 1 < word.size() &&
        (word[i + 1] == 0x0947 || word[i + 1] == 0x0940)) {
      out += word[i + 1] == 0x0947 ? char32_t(0x090F) : char32_t(0x0908);  // ए, ई
      ++i;
      continue;
    }
    if (c == kCandrabindu) c = kAnusvara;
    if (c == 0x0940) c = 0x093F;  // ी -> ि
    if (c == 0x0942) c = 0x0941;  // ू -> ु
    if (c == 0x0908) c = 0x0907;  // ई -> इ
    if (c == 0x090A) c = 0x0909;  // ऊ -> उ
    out += c;
  }
  return out;
}

// Endings and the dictionary-form endings they can stand for, most specific first. Nouns and
// adjectives: plural and oblique forms; verbs: participles, future, subjunctive, imperative,
// the conjunctive and the oblique infinitive, all back to the infinitive in -ना.
struct Ending {
  const char32_t* ending;
  const char32_t* forms[2];
};
const Ending kEndings[] = {
    {U"\u093F\u092F\u093E\u0901", {U"\u0940", U"\u093F\u092F\u093E"}},  // -ियाँ -> -ी, -िया
    {U"\u093F\u092F\u093E\u0902", {U"\u0940", U"\u093F\u092F\u093E"}},  // -ियां
    {U"\u093F\u092F\u094B\u0902", {U"\u0940", U"\u093F\u092F\u093E"}},  // -ियों
    {U"\u0942\u0901\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -ूँगा
    {U"\u0942\u0902\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -ूंगा
    {U"\u0942\u0901\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -ूँगी
    {U"\u0942\u0902\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -ूंगी
    {U"\u090A\u0901\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -ऊँगा
    {U"\u090A\u0902\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -ऊंगा
    {U"\u090A\u0901\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -ऊँगी
    {U"\u090F\u0901\u0917\u0947", {U"\u0928\u093E", nullptr}},          // -एँगे
    {U"\u090F\u0902\u0917\u0947", {U"\u0928\u093E", nullptr}},          // -एंगे
    {U"\u090F\u0901\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -एँगी
    {U"\u090F\u0902\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -एंगी
    {U"\u0947\u0902\u0917\u0947", {U"\u0928\u093E", nullptr}},          // -ेंगे
    {U"\u0947\u0902\u0917\u0940", {U"\u0928\u093E", nullptr}},          // -ेंगी
    {U"\u093F\u090F\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -िएगा
    {U"\u0907\u090F\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -इएगा
    {U"\u093E\u0913\u0902", {U"\u093E", nullptr}},                      // -ाओं -> -ा
    {U"\u093E\u090F\u0901", {U"\u093E", nullptr}},                      // -ाएँ
    {U"\u093E\u090F\u0902", {U"\u093E", nullptr}},                      // -ाएं
    {U"\u0941\u0913\u0902", {U"\u0941", nullptr}},                      // -ुओं -> -ु
    {U"\u0941\u090F\u0901", {U"\u0941", nullptr}},                      // -ुएँ
    {U"\u0941\u090F\u0902", {U"\u0941", nullptr}},                      // -ुएं
    {U"\u0942\u0913\u0902", {U"\u0942", nullptr}},                      // -ूओं -> -ू
    {U"\u0947\u0917\u093E", {U"\u0928\u093E", nullptr}},                // -ेगा
    {U"\u0947\u0917\u0940", {U"\u0928\u093E", nullptr}},                // -ेगी
    {U"\u094B\u0917\u0947", {U"\u0928\u093E", nullptr}},                // -ोगे
    {U"\u094B\u0917\u0940", {U"\u0928\u093E", nullptr}},                // -ोगी
    {U"\u090F\u0917\u093E", {U"\u0928\u093E", nullptr}},                // -एगा
    {U"\u090F\u0917\u0940", {U"\u0928\u093E", nullptr}},                // -एगी
    {U"\u0913\u0917\u0947", {U"\u0928\u093E", nullptr}},                // -ओगे
    {U"\u092F\u0947\u0917\u093E", {U"\u0928\u093E", nullptr}},          // -येगा
    {U"\u0924\u0940\u0902", {U"\u0928\u093E", nullptr}},                // -तीं
    {U"\u092F\u0947\u0902", {U"\u0928\u093E", nullptr}},                // -यें
    {U"\u092F\u0940\u0902", {U"\u0928\u093E", nullptr}},                // -यीं
    {U"\u093F\u092F\u0947", {U"\u0928\u093E", nullptr}},                // -िये (imperative)
    {U"\u0907\u092F\u0947", {U"\u0928\u093E", nullptr}},                // -इये
    {U"\u0913\u0902", {U"", nullptr}},                                  // -ओं
    {U"\u094B\u0902", {U"", U"\u093E"}},                                // -ों -> -, -ा
    // A verb's -ें (करें, खोलें) is far more common than a noun's that has a verb beside it.
    {U"\u0947\u0902", {U"\u0928\u093E", U""}},        // -ें -> -ना, -
    {U"\u090F\u0901", {U"\u0928\u093E", nullptr}},    // -एँ (subjunctive)
    {U"\u090F\u0902", {U"\u0928\u093E", nullptr}},    // -एं
    {U"\u0942\u0901", {U"\u0928\u093E", nullptr}},    // -ूँ
    {U"\u0942\u0902", {U"\u0928\u093E", nullptr}},    // -ूं
    {U"\u090A\u0901", {U"\u0928\u093E", nullptr}},    // -ऊँ
    {U"\u090A\u0902", {U"\u0928\u093E", nullptr}},    // -ऊं
    {U"\u0940\u0902", {U"\u0928\u093E", U"\u0940"}},  // -ीं
    {U"\u093F\u090F", {U"\u0928\u093E", nullptr}},    // -िए
    {U"\u0907\u090F", {U"\u0928\u093E", nullptr}},    // -इए
    {U"\u0924\u093E", {U"\u0928\u093E", nullptr}},    // -ता
    {U"\u0924\u0940", {U"\u0928\u093E", nullptr}},    // -ती
    {U"\u0924\u0947", {U"\u0928\u093E", nullptr}},    // -ते
    {U"\u092F\u093E", {U"\u0928\u093E", nullptr}},    // -या
    {U"\u092F\u0940", {U"\u0928\u093E", nullptr}},    // -यी
    {U"\u092F\u0947", {U"\u0928\u093E", nullptr}},    // -ये
    {U"\u0915\u0930", {U"\u0928\u093E", nullptr}},    // -कर
    {U"\u0915\u0947", {U"\u0928\u093E", nullptr}},    // -के
    {U"\u0928\u0947", {U"\u0928\u093E", nullptr}},    // -ने
    {U"\u0928\u0940", {U"\u0928\u093E", nullptr}},    // -नी
    {U"\u0947", {U"\u093E", U"\u0928\u093E"}},        // -े -> -ा, -ना
    {U"\u0940", {U"\u093E", U"\u0928\u093E"}},        // -ी -> -ा, -ना
    {U"\u093E", {U"\u0928\u093E", nullptr}},          // -ा -> -ना
    {U"\u0908", {U"\u0928\u093E", U"\u092F\u093E"}},  // -ई -> -ना, -या
    {U"\u090F", {U"\u0928\u093E", U"\u092F\u093E"}},  // -ए
    {U"\u094B", {U"\u0928\u093E", nullptr}},          // -ो
    {U"\u0913", {U"\u0928\u093E", nullptr}},          // -ओ
    // A bare verb stem before सकना, चुकना, पाना or a conjunctive: जा सकता, पढ़ चुका.
    {U"", {U"\u0928\u093E", nullptr}},
};

// Verbs whose forms the endings cannot lead back: करना, लेना, देना, जाना, होना, पीना.
struct Irregular {
  const char32_t* form;
  const char32_t* lemma;
};
const Irregular kIrregular[] = {
    {U"\u0915\u093F\u092F\u093E", U"\u0915\u0930\u0928\u093E"},  // किया -> करना
    {U"\u0915\u093F\u090F", U"\u0915\u0930\u0928\u093E"},        // किए
    {U"\u0915\u093F\u092F\u0947", U"\u0915\u0930\u0928\u093E"},  // किये
    {U"\u0915\u0940", U"\u0915\u0930\u0928\u093E"},              // की (also a postposition)
    {U"\u0915\u0940\u0902", U"\u0915\u0930\u0928\u093E"},        // कीं
    {U"\u0932\u093F\u092F\u093E", U"\u0932\u0947\u0928\u093E"},  // लिया -> लेना
    {U"\u0932\u093F\u090F", U"\u0932\u0947\u0928\u093E"},        // लिए (also a postposition)
    {U"\u0932\u0940", U"\u0932\u0947\u0928\u093E"},              // ली
    {U"\u0926\u093F\u092F\u093E", U"\u0926\u0947\u0928\u093E"},  // दिया -> देना
    {U"\u0926\u093F\u090F", U"\u0926\u0947\u0928\u093E"},        // दिए
    {U"\u0926\u0940", U"\u0926\u0947\u0928\u093E"},              // दी
    {U"\u0917\u092F\u093E", U"\u091C\u093E\u0928\u093E"},        // गया -> जाना
    {U"\u0917\u0908", U"\u091C\u093E\u0928\u093E"},              // गई
    {U"\u0917\u090F", U"\u091C\u093E\u0928\u093E"},              // गए
    {U"\u0917\u092F\u0940", U"\u091C\u093E\u0928\u093E"},        // गयी
    {U"\u0917\u092F\u0947", U"\u091C\u093E\u0928\u093E"},        // गये
    {U"\u0917\u0908\u0902", U"\u091C\u093E\u0928\u093E"},        // गईं
    {U"\u0939\u0941\u0906", U"\u0939\u094B\u0928\u093E"},        // हुआ -> होना
    {U"\u0939\u0941\u0908", U"\u0939\u094B\u0928\u093E"},        // हुई
    {U"\u0939\u0941\u090F", U"\u0939\u094B\u0928\u093E"},        // हुए
    {U"\u0939\u0941\u0908\u0902", U"\u0939\u094B\u0928\u093E"},  // हुईं
    {U"\u092A\u093F\u092F\u093E", U"\u092A\u0940\u0928\u093E"},  // पिया -> पीना
};

// The headword codes of a line, and where its Russian part starts (after the reading's ")").
std::size_t russianStart(const std::string& line) {
  std::size_t space = line.find(' ');
  if (space == std::string::npos) return line.size();
  if (space + 1 < line.size() && line[space + 1] == '(') {
    std::size_t close = line.find(')', space);
    return close == std::string::npos ? line.size() : close + 1;
  }
  return space;
}

// The target headword of a pointer line ("... см. TARGET" or "... см. TARGET - note"), or "".
std::string pointerTarget(const std::string& line) {
  static const char kSee[] = "\xF1\xEC. ";  // "см. "
  std::size_t at = russianStart(line);
  while (at < line.size() && line[at] == ' ') ++at;
  if (line.compare(at, 4, kSee) != 0) return std::string();
  at += 4;
  std::size_t end = line.find(' ', at);
  return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// Words of a Russian part that only say what kind of word or use it is.
bool isMarkWord(const std::string& folded) {
  static const char* const kMarks[] = {
      "\xEC",                              // м
      "\xE6",                              // ж
      "\xF1\xF0",                          // ср
      "\xE3\xEB",                          // гл
      "\xEF\xF0\xE8\xEB",                  // прил
      "\xED\xE0\xF0\xE5\xF7",              // нареч
      "\xEC\xE5\xF1\xF2",                  // мест
      "\xEF\xEE\xF1\xEB\xE5\xEB\xEE\xE3",  // послелог
      "\xF1\xEE\xFE\xE7",                  // союз
      "\xF7\xE0\xF1\xF2\xE8\xF6\xE0",      // частица
      "\xEC\xE5\xE6\xE4",                  // межд
      "\xF7\xE8\xF1\xEB",                  // числ
      "\xF0\xE0\xE7\xE3",                  // разг
      "\xEA\xED\xE8\xE6\xED",              // книжн
      "\xEF\xEE\xFD\xF2",                  // поэт
      "\xF1\xEC",                          // см
  };
  for (const char* m : kMarks) {
    if (folded == m) return true;
  }
  return false;
}

bool isRussianByte(unsigned char b) { return b >= 0xC0 || b == 0xA8 || b == 0xB8; }

// Style labels that close a sense ("дом, книжн."): a sense with one is a learner's second choice.
bool isStyleLabel(const std::string& folded) {
  return folded == "\xF0\xE0\xE7\xE3" || folded == "\xEA\xED\xE8\xE6\xED" ||
         folded == "\xEF\xEE\xFD\xF2" || folded == "\xF3\xF1\xF2\xE0\xF0";  // разг книжн поэт устар
}

// The Russian words of one sense item (between commas and semicolons), and where it stands.
struct RussianItem {
  std::vector<std::string> words;
  int32_t sense = 0, item = 0;
  bool example = false, note = false;
  int32_t senseItems = 1;
};

void indexRussianItem(GlossDictionary& d, int32_t lineNumber, const RussianItem& item,
                      bool labelled) {
  const bool alone = item.words.size() == 1;
  for (std::size_t w = 0; w < item.words.size(); ++w) {
    // Lower is likelier what a reader of the word wants: a sense before an example or a usage
    // note, an earlier sense and item, a word that is the whole item, an unlabelled sense.
    int32_t rank = (item.example ? 4000 : 0) + (item.note ? 2000 : 0) +
                   std::min<int32_t>(item.sense, 9) * 100 + (labelled ? 50 : 0) +
                   std::min<int32_t>(item.item, 9) * 10 + (alone ? 0 : 5) +
                   std::min<int32_t>(static_cast<int32_t>(w), 4);
    std::vector<std::string> stems = russianStems(item.words[w]);
    for (std::size_t s = 0; s < stems.size(); ++s) {
      auto& places = d.russian[stems[s]];
      if (places.empty() || places.back().line != lineNumber)
        places.push_back({lineNumber, rank, item.senseItems, s == 0});
    }
  }
}

void indexRussianPart(GlossDictionary& d, int32_t lineNumber) {
  const std::string& line = d.lines[static_cast<std::size_t>(lineNumber)];
  std::vector<RussianItem> items(1);
  std::vector<bool> labelledSense(1, false);
  for (std::size_t i = russianStart(line); i < line.size();) {
    const unsigned char b = static_cast<unsigned char>(line[i]);
    RussianItem& current = items.back();
    if (b == ',' || b == ';') {
      RussianItem next;
      next.sense = current.sense + (b == ';' ? 1 : 0);
      next.item = b == ';' ? 0 : current.item + 1;
      next.example = b == ',' && current.example;
      items.push_back(next);
      if (b == ';') labelledSense.push_back(false);
      ++i;
      continue;
    }
    if (b == '~') current.example = true;
    if (b == '-' && i > 0 && line[i - 1] == ' ') current.note = true;
    if (!isRussianByte(b)) {
      ++i;
      continue;
    }
    std::string word;
    for (; i < line.size() && isRussianByte(static_cast<unsigned char>(line[i])); ++i)
      word += static_cast<char>(foldRussianLetter(static_cast<unsigned char>(line[i])));
    if (isStyleLabel(word)) labelledSense.back() = true;
    if (!isMarkWord(word)) current.words.push_back(word);
  }
  for (RussianItem& item : items) {
    item.senseItems = static_cast<int32_t>(std::count_if(
        items.begin(), items.end(), [&](const RussianItem& o) { return o.sense == item.sense; }));
  }
  for (const RussianItem& item : items) {
    const std::size_t sense = static_cast<std::size_t>(item.sense);
    indexRussianItem(d, lineNumber, item, sense < labelledSense.size() && labelledSense[sense]);
  }
}

// The full entry a line stands for: the line itself, or a pointer's target (or -1).
int32_t followPointer(const GlossDictionary& d, int32_t line) {
  if (line < 0) return -1;
  std::string target = pointerTarget(d.lines[static_cast<std::size_t>(line)]);
  if (target.empty()) return line;
  auto it = d.exact.find(codesToDevanagari(target));
  if (it == d.exact.end()) return -1;
  // A pointer never leads to another pointer; should it, the chain stops there.
  return pointerTarget(d.lines[static_cast<std::size_t>(it->second)]).empty() ? it->second : -1;
}

void addFirst(std::unordered_map<std::string, int32_t>& table, const std::string& key,
              int32_t line) {
  table.emplace(key, line);  // keeps the first line of a key
}

}  // namespace

std::string glossHeadword(const std::string& line) { return line.substr(0, line.find(' ')); }

void buildGlossDictionary(const std::string& bytes, GlossDictionary& d) {
  d = GlossDictionary();
  std::size_t end = bytes.find('\x1A');
  if (end == std::string::npos) end = bytes.size();
  for (std::size_t start = 0; start < end;) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos || lf > end) lf = end;
    std::string line = bytes.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    d.lines.push_back(line);
    start = lf + 1;
  }
  for (std::size_t n = 0; n < d.lines.size(); ++n) {
    const int32_t number = static_cast<int32_t>(n);
    const std::string headword = glossHeadword(d.lines[n]);
    if (headword.empty()) continue;
    const std::u32string dev = spelled(toU32(codesToDevanagari(headword)));
    addFirst(d.exact, toUtf8(dev), number);
    addFirst(d.loose, toUtf8(loosely(dev)), number);
    if (pointerTarget(d.lines[n]).empty()) indexRussianPart(d, number);
  }
}

bool loadGlossDictionary(const char* path, GlossDictionary& d) {
  std::FILE* in = std::fopen(path, "rb");
  if (!in) return false;
  std::string bytes;
  char block[1 << 16];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0) bytes.append(block, got);
  const bool ok = std::ferror(in) == 0;
  std::fclose(in);
  if (ok) buildGlossDictionary(bytes, d);
  return ok;
}

std::vector<std::string> hindiDictionaryForms(const std::string& utf8) {
  const std::u32string word = spelled(toU32(utf8));
  std::vector<std::string> forms;
  auto add = [&](const std::u32string& form) {
    std::string text = toUtf8(form);
    if (form != word && std::find(forms.begin(), forms.end(), text) == forms.end())
      forms.push_back(text);
  };
  for (const Irregular& irregular : kIrregular) {
    if (word == irregular.form) add(irregular.lemma);
  }
  for (const Ending& e : kEndings) {
    const std::size_t n = std::char_traits<char32_t>::length(e.ending);
    if (word.size() <= n || word.compare(word.size() - n, n, e.ending) != 0) continue;
    const std::u32string stem = word.substr(0, word.size() - n);
    // The stem must end in something a suffix can follow: a letter or a vowel sign, never a
    // bare halant or nukta.
    bool hasBase = std::any_of(stem.begin(), stem.end(), isSyllableBase);
    if (!hasBase || stem.back() == 0x094D) continue;
    for (const char32_t* form : e.forms) {
      if (form) add(stem + form);
    }
  }
  return forms;
}

int32_t glossHindiWord(const GlossDictionary& d, const std::string& utf8) {
  const std::u32string word = spelled(toU32(utf8));
  std::vector<std::u32string> candidates(1, word);
  for (const std::string& form : hindiDictionaryForms(toUtf8(word)))
    candidates.push_back(toU32(form));
  // The word or a dictionary form as written, before any of them with a spelling set aside
  // (जाती is जाना's form before it is ज़ाती without its nukta).
  for (const std::u32string& candidate : candidates) {
    auto it = d.exact.find(toUtf8(candidate));
    if (it != d.exact.end()) return followPointer(d, it->second);
  }
  for (const std::u32string& candidate : candidates) {
    auto it = d.loose.find(toUtf8(loosely(candidate)));
    if (it != d.loose.end()) return followPointer(d, it->second);
  }
  return -1;
}

int32_t glossRussianWord(const GlossDictionary& d, const std::string& cp1251) {
  const std::string folded = foldRussian(cp1251);
  int32_t best = -1, bestRank = 0, bestItems = 0;
  bool bestWhole = false;
  for (const std::string& stem : russianStems(folded)) {
    auto it = d.russian.find(stem);
    if (it == d.russian.end()) continue;
    for (const GlossDictionary::RussianPlace& p : it->second) {
      const bool whole = p.whole && stem == folded;
      // Best placed first; then the very word before a form of it; then the sense with fewer
      // synonyms; then the fuller entry (an everyday word has the longer article); then file
      // order.
      bool better = best < 0 || p.rank < bestRank;
      if (!better && p.rank == bestRank && whole != bestWhole) better = whole;
      bool same = !better && p.rank == bestRank && whole == bestWhole;
      if (same && p.senseItems != bestItems) better = p.senseItems < bestItems, same = false;
      if (same) {
        const std::size_t a = d.lines[static_cast<std::size_t>(p.line)].size();
        const std::size_t b = d.lines[static_cast<std::size_t>(best)].size();
        better = a > b || (a == b && p.line < best);
      }
      if (better) best = p.line, bestRank = p.rank, bestWhole = whole, bestItems = p.senseItems;
    }
  }
  return best;
}

void splitTextWords(const std::string& utf8, std::vector<TextWord>& words,
                    std::vector<std::size_t>* badOffsets, std::size_t base) {
  TextWord current;
  int script = 0;            // of the current word: 1 Devanagari, 2 Cyrillic
  bool latinBefore = false;  // a Latin run touches the word
  auto finish = [&]() {
    if (script) {
      current.hindi = script == 1;
      words.push_back(current);
    }
    current = TextWord();
    script = 0;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    std::size_t n = utf8CharAt(utf8, i, cp);
    if (n == 0) {
      if (badOffsets) badOffsets->push_back(base + i);
      ++i;
      continue;
    }
    i += n;
    const char32_t c = static_cast<char32_t>(cp);
    int kind = isDevanagariLetter(c) ? 1 : isCyrillicLetter(c) ? 2 : 0;
    if ((c == 0x200C || c == 0x200D) && script == 1) continue;  // joiners inside a word
    if (kind == 0) {
      if (isLatinLetter(c)) {
        if (script) current.mixed = true;
        latinBefore = true;
        continue;
      }
      finish();
      latinBefore = false;
      continue;
    }
    if (script && kind != script) {
      current.mixed = true;
    } else if (!script) {
      script = kind;
      current.mixed = latinBefore;
    }
    appendUtf8(current.text, cp);
  }
  finish();
}

SentenceGloss glossSentence(const GlossDictionary& d, const std::vector<TextWord>& words) {
  SentenceGloss gloss;
  for (const TextWord& word : words) {
    ++gloss.words;
    std::string bytes;
    int32_t line = -1;
    if (word.hindi) {
      DevanagariError error;
      if (!devanagariToCodes(word.text, bytes, error)) bytes.clear();
      line = glossHindiWord(d, word.text);
    } else {
      std::string error;
      if (utf8ToCp1251(word.text, bytes, error)) line = glossRussianWord(d, bytes);
    }
    if (line < 0) {
      if (!bytes.empty() &&
          std::find(gloss.missing.begin(), gloss.missing.end(), bytes) == gloss.missing.end())
        gloss.missing.push_back(bytes);
      continue;
    }
    ++gloss.found;
    const bool listed =
        std::find(gloss.lines.begin(), gloss.lines.end(), line) != gloss.lines.end();
    if (!listed && static_cast<int>(gloss.lines.size()) < kMatchCap) {
      gloss.lines.push_back(line);
      gloss.leadingWords.push_back(bytes);
    }
  }
  return gloss;
}

std::string sentenceGlossText(const GlossDictionary& d, const SentenceGloss& gloss) {
  std::string text;
  for (int32_t line : gloss.lines) text += d.lines[static_cast<std::size_t>(line)] + "\n";
  if (!gloss.missing.empty()) {
    text += "? (\xED\xE5\xF2 \xE2 \xF1\xEB\xEE\xE2\xE0\xF0\xE5)";  // "? (нет в словаре)"
    for (std::size_t i = 0; i < gloss.missing.size(); ++i)
      text += (i ? ", " : " ") + gloss.missing[i];
    text += "\n";
  }
  return text;
}

SearchStatus saveSentenceGloss(const char* resultPath, const std::string& text) {
  if (fileKind(resultPath) == FileKind::Other) return SearchStatus::ResultNotRegular;
  TextWriter out(resultPath, "w");
  if (!out.isOpen()) return SearchStatus::ResultNotCreated;
  out.write(text.data(), text.size());
  const bool written = out.close();
  const SearchStatus loaded = loadResultBuffer(resultPath);
  return written || loaded != SearchStatus::Loaded ? loaded : SearchStatus::ResultNotWritten;
}
