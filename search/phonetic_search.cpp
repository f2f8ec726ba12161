// The Phonetic scan over dictiona.dat: each line's headword key and Russian words compared with
// the query and ranked; the best 100 lines are kept.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hindi/devanagari.h"
#include "hindi/inflection.h"
#include "search/common_words.h"
#include "search/phonetic.h"
#include "search/russian_forms.h"

namespace {

constexpr PhoneticUnit kAnyUnit = ~PhoneticUnit(0);
// The largest detail of a rank (16 x where + 4 x closeness + detail).
constexpr int kMaxPhoneticDetail = 3;
// A line longer than this is judged by its first bytes (headword and the start of its Russian).
constexpr std::size_t kLongestLine = std::size_t(1) << 16;

struct HeadwordTables {
  PhoneticUnit unit[256];
  PhoneticUnit shortI = devanagariPhoneticKey("\xE0\xA4\x87", false).unit[0];  // इ
  HeadwordTables() {
    for (int b = 0; b < 256; ++b) {
      unit[b] = kAnyUnit;
      // 0x69, the short i, stands before its letter; 0x61 (aa) may be left out or join the
      // next sign into o; the reph is said before the syllable it follows.
      if (!isHindiCode(static_cast<unsigned char>(b)) || b == 0x69 || b == 0x61 || b == 0x5E)
        continue;
      // What later bytes can still make of the first sound: a nukta turns d and dh into the
      // flap, the sign candra turns a into o, an anusvara before p is also m, j before nya
      // is said g.
      PhoneticUnit first = 0;
      for (const char* next : {"", "\x60", "a\x93", "p", "\x98"}) {
        std::string codes = std::string(1, static_cast<char>(b)) + next;
        PhoneticKey key = devanagariPhoneticKey(codesToDevanagari(codes), false);
        first |= key.length ? key.unit[0] & kPhoneticClasses : kAnyUnit;
      }
      unit[b] = first;
    }
    for (int b = 0; b < 256; ++b) {
      classes[b] = 0;
      if (!isHindiCode(static_cast<unsigned char>(b))) continue;
      std::string code(1, static_cast<char>(b));
      classes[b] = allUnits(code);
      // Sounds this code makes only together with the next one (d and dh with a nukta, o from
      // aa and e, m from the anusvara before p, gy from j and nya): counted for this code.
      for (const char* next : {"\x60", "a\x93", "\x93", "\x65", "\x45", "p", "\x98"}) {
        classes[b] |= allUnits(code + next) & ~allUnits(next);
      }
    }
  }
  PhoneticUnit classes[256];

  static PhoneticUnit allUnits(const std::string& codes) {
    PhoneticKey key = devanagariPhoneticKey(codesToDevanagari(codes), false);
    PhoneticUnit all = 0;
    for (int i = 0; i < key.length; ++i) all |= key.unit[i] & kPhoneticClasses;
    return all;
  }
};

const HeadwordTables& headwordTables() {
  static const HeadwordTables table;
  return table;
}

// Where the headword ends and the Russian part starts in a line: the headword runs to the
// " (" of the transcription, unless Russian comes first (a line without transcription, whose
// headword is its first token).
void splitLine(const char* line, std::size_t n, std::size_t& headwordEnd,
               std::size_t& russianStart) {
  const char* open = nullptr;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    unsigned char b = static_cast<unsigned char>(line[i]);
    if (b >= 0xC0 || b == 0xA8 || b == 0xB8) break;
    if (b == ' ' && line[i + 1] == '(') {
      open = line + i;
      break;
    }
  }
  if (open) {
    headwordEnd = static_cast<std::size_t>(open - line);
    const void* close = std::memchr(open, ')', n - headwordEnd);
    russianStart = close ? static_cast<std::size_t>(static_cast<const char*>(close) - line) + 1 : n;
    return;
  }
  const void* space = std::memchr(line, ' ', n);
  headwordEnd = space ? static_cast<std::size_t>(static_cast<const char*>(space) - line) : n;
  russianStart = headwordEnd;
}

// Windows-1251 letters folded (lower case, yo as ye); 0 for every other byte.
struct RussianFold {
  unsigned char letter[256];
  RussianFold() {
    for (int b = 0; b < 256; ++b) {
      bool cyrillic = b >= 0xC0 || b == 0xA8 || b == 0xB8;
      letter[b] = cyrillic ? foldRussianLetter(static_cast<unsigned char>(b)) : 0;
    }
  }
};

bool isCyrillic(unsigned char b) { return b >= 0xC0 || b == 0xA8 || b == 0xB8; }

// Where a Russian word stands in the Russian part: 0 the first word of the first sense (after
// the grammatical marks, which end in "."), 1 a later word or sense, 2 an example (from the
// first "~" or Hindi word on).
struct RussianPosition {
  int where = 0;
  void afterWord(bool mark) {
    if (!mark && where == 0) where = 1;
  }
  void atByte(unsigned char b) {
    if (b == '~' || (isHindiCode(b) && !isCyrillic(b))) where = 2;
  }
};

// Whether text holds a label of bookish or poetic style ("книжн.", "поэт."): a word a learner
// meets less than its everyday synonym.
bool hasLiteraryLabel(const unsigned char* text, std::size_t n) {
  static const char* const kLabels[] = {"\xEA\xED\xE8\xE6\xED.", "\xEF\xEE\xFD\xF2."};
  for (const char* label : kLabels) {
    const std::size_t length = std::strlen(label);
    for (std::size_t at = 0; at + length <= n; ++at) {
      if (std::memcmp(text + at, label, length) == 0 && (at == 0 || !isCyrillic(text[at - 1])))
        return true;
    }
  }
  return false;
}

// How alone the word at [i, j) of a Russian part is in its sense (which runs from a ";" or the
// ")" of a sense number to the next ";"): 0 the sense is the word, 1 the word is one of the
// sense's items (synonyms after commas, a style mark), 2 more words follow it in its item ("вода
// из Ганга"), 3 the sense is marked bookish or poetic (बालक "мальчик, ребенок, книжн." after
// लड़का).
int senseDetail(const unsigned char* p, std::size_t n, std::size_t i, std::size_t j) {
  std::size_t start = i;
  while (start > 0 && p[start - 1] != ';' && p[start - 1] != ')') --start;
  std::size_t end = j;
  while (end < n && p[end] != ';') ++end;
  if (hasLiteraryLabel(p + start, end - start)) return 3;
  if (j < n && p[j] != ',' && p[j] != ';' && p[j] != '\r') return 2;
  return std::memchr(p + start, ',', end - start) ? 1 : 0;
}

// The best rank (16 x position + 4 x closeness + detail) at which a word of the Russian text is
// one of the stems: closeness 0 when it is the query word itself, 1 a dictionary word listed for
// it, 2 a form by the regular endings; the detail as senseDetail gives it; -1 when none is.
// Only words that begin with a letter some stem begins with are compared.
int russianPartRank(const std::vector<std::string>& stems, const std::vector<std::string>& listed,
                    const char* text, std::size_t n) {
  static const RussianFold fold;
  if (stems.empty() || stems[0].empty()) return -1;
  bool firstLetter[256] = {};
  for (const std::string& s : stems) {
    if (!s.empty()) firstLetter[static_cast<unsigned char>(s[0])] = true;
  }
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  char word[64];
  RussianPosition position;
  int best = -1;
  for (std::size_t i = 0; i < n && best != 0;) {
    if (!fold.letter[p[i]]) {
      position.atByte(p[i]);
      ++i;
      continue;
    }
    std::size_t j = i;
    std::size_t length = 0;
    while (j < n && fold.letter[p[j]]) {
      if (length < sizeof word) word[length] = static_cast<char>(fold.letter[p[j]]);
      ++length;
      ++j;
    }
    if (firstLetter[static_cast<unsigned char>(fold.letter[p[i]])] && length <= sizeof word &&
        russianWordMatches(stems, word, length)) {
      const std::string found(word, length);
      const int closeness = found == stems[0]                                                ? 0
                            : std::find(listed.begin(), listed.end(), found) != listed.end() ? 1
                                                                                             : 2;
      const int rank = 16 * position.where + 4 * closeness + senseDetail(p, n, i, j);
      if (best < 0 || rank < best) best = rank;
    }
    position.afterWord(j < n && p[j] == '.');
    i = j;
  }
  return best;
}

// The word classes a line's Russian part gives its headword: the marks м., ж., прил., гл. that
// open the part or a numbered sense ("1) м. дым; 2) ж. шум").
std::vector<HindiWordClass> lineWordClasses(const char* text, std::size_t n) {
  struct Mark {
    const char* bytes;  // Windows-1251
    HindiWordClass wordClass;
  };
  static const Mark kMarks[] = {
      {"\xEC.", HindiWordClass::MasculineNoun},          // м.
      {"\xE6.", HindiWordClass::FeminineNoun},           // ж.
      {"\xEF\xF0\xE8\xEB.", HindiWordClass::Adjective},  // прил.
      {"\xE3\xEB.", HindiWordClass::Verb},               // гл.
  };
  std::vector<HindiWordClass> classes;
  for (std::size_t i = 0; i < n; ++i) {
    // A mark stands after the start, or after a sense number's ")", and one space.
    if (text[i] != ' ' || (i > 0 && text[i - 1] != ')')) continue;
    for (const Mark& m : kMarks) {
      const std::size_t length = std::strlen(m.bytes);
      if (i + 1 + length <= n && std::memcmp(text + i + 1, m.bytes, length) == 0 &&
          (i + 1 + length == n || text[i + 1 + length] == ' ') &&
          std::find(classes.begin(), classes.end(), m.wordClass) == classes.end())
        classes.push_back(m.wordClass);
    }
  }
  return classes;
}

// Whether the query, read by the key that matched, is one of the regular forms of the headword
// in the classes its line gives it (कमरे of कमरा, not of कमर; आया of आना, not of आयन); -1 when the
// line gives no class that inflects.
int isRegularFormOf(const PhoneticQuery& query, const PhoneticKey& matched,
                    const std::string& headword, const std::vector<HindiWordClass>& classes) {
  int found = -1;
  for (HindiWordClass wordClass : classes) {
    for (const HindiForm& form : hindiInflectedForms(headword, wordClass)) {
      found = 0;
      if (!matched.latin) {
        if (form.word == query.devanagari) return 1;
        continue;
      }
      const PhoneticKey key = devanagariPhoneticKey(form.word, false);
      for (const PhoneticKey& k : query.hindi[0]) {
        if (k.latin && phoneticKeysMatch(k, key)) return 1;
      }
    }
  }
  return found;
}

// The query with what every line needs precomputed.
struct PreparedQuery {
  const PhoneticQuery& query;
  PhoneticUnit firstUnits = 0;
  explicit PreparedQuery(const PhoneticQuery& q) : query(q) {
    for (const auto& tier : q.hindi) {
      for (const PhoneticKey& k : tier) {
        // A tolerant key may begin with units it can leave out.
        for (int i = 0; i < k.length; ++i) {
          firstUnits |= k.unit[i] & kPhoneticClasses;
          if (!(k.unit[i] & kPhoneticOptional)) break;
        }
      }
    }
  }

  // Whether some Hindi key could match a headword that can make only these sounds.
  bool soundsAvailable(PhoneticUnit classes) const {
    for (const auto& tier : query.hindi) {
      for (const PhoneticKey& k : tier) {
        int i = 0;
        while (i < k.length &&
               ((k.unit[i] & classes & kPhoneticClasses) || (k.unit[i] & kPhoneticOptional)))
          ++i;
        if (i == k.length) return true;
      }
    }
    return false;
  }

  int rank(const char* line, std::size_t n) const {
    std::size_t headwordEnd, russianStart;
    splitLine(line, n, headwordEnd, russianStart);
    int best = -1;
    if (firstUnits && (headwordFirstUnits(line, headwordEnd) & firstUnits) &&
        soundsAvailable(headwordClasses(line, headwordEnd))) {
      const std::string devanagari = codesToDevanagari(std::string(line, headwordEnd));
      // The reading between " (" and ")", when the line has one.
      const std::size_t readingStart = std::min(headwordEnd + 2, russianStart);
      const std::string reading(line + readingStart,
                                std::max(readingStart + 1, russianStart) - readingStart - 1);
      PhoneticKey key = devanagariPhoneticKey(devanagari, false);
      // Of the keys of one closeness that match (a query may read as Latin and as Devanagari),
      // the one nearest the headword's spelling counts.
      for (int closeness = 0; closeness < 4 && best < 0; ++closeness) {
        for (const PhoneticKey& k : query.hindi[closeness]) {
          if (closeness < 2 ? !phoneticKeysMatch(k, key) : !phoneticKeysMatchTolerant(k, key))
            continue;
          const bool apart = closeness != 1 && phoneticVowelsApart(query, k, reading);
          int detail = phoneticSpellingDistance(query, k, devanagari, reading);
          int close = apart ? std::min(closeness + 2, 3) : closeness;
          if (closeness == 1) {
            // An inflection: first the words the query is a regular form of (a Devanagari
            // query spelled as the form is as near as can be; a Latin one keeps its distance).
            const int form = isRegularFormOf(
                query, k, devanagari, lineWordClasses(line + russianStart, n - russianStart));
            if (form == 0) {
              // A form the word cannot take (kyun is no form of कान) is barely a match.
              close = 3;
              detail = kMaxPhoneticDetail;
            } else if (form == 1 && !k.latin) {
              detail = 0;
            }
          }
          // Devanagari is typed letter by letter: a headword of the same sound spelled
          // otherwise (पिता for पीता) is no nearer than a word the query is a form of (पीना).
          if (closeness == 0 && !k.latin && detail > 0) close = 1;
          // Letters the query line shows as Devanagari are read as Latin only second.
          if (k.latin && !query.devanagari.empty()) close = std::min(close + 1, 3);
          const int r = 4 * close + detail;
          if (best < 0 || r < best) best = r;
        }
      }
    }
    if (best != 0 && !query.russian.empty()) {
      // A phrase stands where its best placed word stands, as close as its farthest word.
      int where = 2, closeness = 0, detail = 0, all = 0;
      static const std::vector<std::string> none;
      for (std::size_t w = 0; w < query.russian.size(); ++w) {
        const std::vector<std::string>& listed =
            w < query.russianListed.size() ? query.russianListed[w] : none;
        const int r =
            russianPartRank(query.russian[w], listed, line + russianStart, n - russianStart);
        if (r < 0) {
          all = -1;
          break;
        }
        where = std::min(where, r / 16);
        closeness = std::max(closeness, r % 16 / 4);
        detail = std::max(detail, r % 4);
      }
      if (all >= 0) all = 16 * where + 4 * closeness + detail;
      if (all >= 0 && (best < 0 || all < best)) best = all;
    }
    return best;
  }
};

// The best lines so far, best first. Of equal ranks the headword of the starter vocabulary comes
// first, then the order they came (file order). For a Russian query the starter vocabulary also
// comes before the detail (an everyday word with synonyms before a rare one alone in its sense).
class BestLines {
 public:
  BestLines(std::vector<PhoneticMatch>& kept, std::size_t cap, bool rarityBeforeDetail)
      : kept_(kept), cap_(cap), rarityBeforeDetail_(rarityBeforeDetail) {
    kept_.clear();
    kept_.reserve(cap);
  }
  void offer(const PhoneticMatch& m) {
    if (cap_ == 0 || (kept_.size() == cap_ && !before(m, kept_.back()))) return;
    auto at = std::upper_bound(
        kept_.begin(), kept_.end(), m,
        [this](const PhoneticMatch& a, const PhoneticMatch& b) { return before(a, b); });
    kept_.insert(at, m);
    if (kept_.size() > cap_) kept_.pop_back();
  }
  // Nothing later can enter: the list is full of lines of the best rank, all common words.
  bool settled() const {
    return cap_ == 0 ||
           (kept_.size() == cap_ && kept_.back().rank == 0 && kept_.back().rarity == 0);
  }

 private:
  bool before(const PhoneticMatch& a, const PhoneticMatch& b) const {
    if (rarityBeforeDetail_ && a.rank / 4 != b.rank / 4) return a.rank / 4 < b.rank / 4;
    if (!rarityBeforeDetail_ && a.rank != b.rank) return a.rank < b.rank;
    return a.rarity != b.rarity ? a.rarity < b.rarity : a.rank < b.rank;
  }
  std::vector<PhoneticMatch>& kept_;
  std::size_t cap_;
  bool rarityBeforeDetail_;
};

// The query's Russian words widened by the dictionary words the forms table gives them.
PhoneticQuery withListedForms(const PhoneticQuery& query, const RussianForms& table) {
  PhoneticQuery widened = query;
  widened.russianListed.assign(widened.russian.size(), {});
  if (table.form.empty()) return widened;
  for (std::size_t w = 0; w < widened.russian.size(); ++w) {
    std::vector<std::string>& stems = widened.russian[w];
    const std::vector<std::string>* lemmas = russianLemmasOf(table, stems[0]);
    if (!lemmas) continue;
    widened.russianListed[w] = *lemmas;
    for (const std::string& lemma : *lemmas) {
      for (const std::string& s : russianStems(lemma)) {
        if (std::find(stems.begin(), stems.end(), s) == stems.end()) stems.push_back(s);
      }
    }
  }
  return widened;
}

// When the query's own spelling or one of its dictionary forms was found, the tolerant readings
// of its inflections are left out: they add lines that only look alike.
void leaveOutFarMatches(std::vector<PhoneticMatch>& best) {
  if (best.empty() || best.front().rank >= 16 || best.front().rank / 4 > 1) return;
  best.erase(std::remove_if(best.begin(), best.end(),
                            [](const PhoneticMatch& m) { return m.rank < 16 && m.rank / 4 == 3; }),
             best.end());
}

// For a Russian query, examples (place 2) give way when at least this many lines hold the word
// in a sense: they are the lines least likely meant.
constexpr std::size_t kEnoughSenseLines = 5;

void leaveOutRussianExamples(std::vector<PhoneticMatch>& best) {
  auto inSense = [](const PhoneticMatch& m) { return m.rank < 32; };
  if (static_cast<std::size_t>(std::count_if(best.begin(), best.end(), inSense)) <
      kEnoughSenseLines)
    return;
  best.erase(
      std::remove_if(best.begin(), best.end(), [&](const PhoneticMatch& m) { return !inSense(m); }),
      best.end());
}

struct FileCloser {
  std::FILE* file;
  ~FileCloser() {
    if (file) std::fclose(file);
  }
};

}  // namespace

PhoneticUnit headwordClasses(const char* codes, std::size_t n) {
  const HeadwordTables& table = headwordTables();
  PhoneticUnit all = 0;
  for (std::size_t i = 0; i < n; ++i) all |= table.classes[static_cast<unsigned char>(codes[i])];
  return all;
}

PhoneticUnit headwordFirstUnits(const char* codes, std::size_t n) {
  const HeadwordTables& table = headwordTables();
  // A reph is written after its syllable but said before it: it may be the first sound.
  if (std::memchr(codes, 0x5E, n)) return kAnyUnit;
  std::size_t i = 0;
  while (i < n && !isHindiCode(static_cast<unsigned char>(codes[i]))) ++i;  // no sound of their own
  if (i == n) return kAnyUnit;
  unsigned char first = static_cast<unsigned char>(codes[i]);
  // The short i is written before its letter; before anything else it stays an i.
  if (first == 0x69 && i + 1 < n)
    return table.unit[static_cast<unsigned char>(codes[i + 1])] | table.shortI;
  return table.unit[first];
}

int phoneticLineRank(const PhoneticQuery& query, const char* line, std::size_t n) {
  return PreparedQuery(query).rank(line, n);
}

void leaveOutLesserPhoneticMatches(const PhoneticQuery& query, std::vector<PhoneticMatch>& best) {
  leaveOutFarMatches(best);
  if (!query.russian.empty()) leaveOutRussianExamples(best);
}

bool rankPhoneticMatches(const char* dictionaryPath, const PhoneticQuery& query,
                         std::vector<PhoneticMatch>& best, std::size_t cap, std::size_t blockSize) {
  BestLines kept(best, cap, !query.russian.empty());
  FileCloser in{std::fopen(dictionaryPath, "rb")};
  if (!in.file) return false;
  if (query.empty()) return true;
  const PhoneticQuery widened = withListedForms(query, russianFormsBeside(dictionaryPath));
  PreparedQuery prepared(widened);

  const CommonWords& common = commonWordsBeside(dictionaryPath);

  auto judge = [&](const char* line, std::size_t n, int32_t number, int64_t start) {
    if (n > 0 && line[n - 1] == '\r') --n;
    const int rank = prepared.rank(line, n);
    if (rank < 0) return;
    std::size_t headwordEnd, russianStart;
    splitLine(line, n, headwordEnd, russianStart);
    kept.offer({number, start, rank, isCommonWord(common, line, headwordEnd) ? 0 : 1});
  };

  // Lines are read as the text-mode stream gives them: CR LF ends a line like LF, 0x1A ends
  // the file, a last line without LF is still a line.
  std::vector<char> buf(std::max<std::size_t>(blockSize, 1) + kLongestLine);
  std::size_t have = 0;
  int64_t bufferAt = 0;  // the file offset of buf[0]
  int32_t lineNumber = 0;
  bool skipping = false;  // inside the rest of an over-long line
  bool end = false;
  while (!end && !kept.settled()) {
    std::size_t got = std::fread(buf.data() + have, 1, buf.size() - have, in.file);
    if (got == 0) end = true;
    const void* stop = std::memchr(buf.data() + have, 0x1A, got);
    if (stop) {
      got = static_cast<std::size_t>(static_cast<const char*>(stop) - (buf.data() + have));
      end = true;
    }
    have += got;
    std::size_t start = 0;
    while (!kept.settled()) {
      const void* lf = std::memchr(buf.data() + start, '\n', have - start);
      if (!lf) break;
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - buf.data());
      if (!skipping) judge(buf.data() + start, at - start, lineNumber, bufferAt + int64_t(start));
      skipping = false;
      ++lineNumber;
      start = at + 1;
    }
    if (kept.settled()) break;
    std::memmove(buf.data(), buf.data() + start, have - start);
    have -= start;
    bufferAt += static_cast<int64_t>(start);
    if (end) {
      if (have > 0 && !skipping) judge(buf.data(), have, lineNumber, bufferAt);
    } else if (have >= kLongestLine) {
      if (!skipping) judge(buf.data(), have, lineNumber, bufferAt);
      skipping = true;
      bufferAt += static_cast<int64_t>(have);
      have = 0;
    }
  }
  leaveOutLesserPhoneticMatches(query, best);
  // A read error is not the end of the dictionary: the caller keeps f2.tc as it was.
  return std::ferror(in.file) == 0;
}

bool lookUpPhonetic(const char* dictionaryPath, const std::string& utf8,
                    std::vector<PhoneticMatch>& best, std::size_t cap) {
  return rankPhoneticMatches(dictionaryPath, phoneticQueryFromUtf8(utf8), best, cap);
}

bool findPhoneticMatchesFor(const char* dictionaryPath, const PhoneticQuery& query,
                            MatchList& matches, std::size_t blockSize) {
  std::vector<PhoneticMatch> best;
  matches.count = 0;
  matches.lineStartsKnown = true;  // f2.tc is written in rank order, line by line
  if (!rankPhoneticMatches(dictionaryPath, query, best, kMatchCap, blockSize)) return false;
  for (const PhoneticMatch& m : best) {
    matches.line[matches.count] = m.line;
    matches.lineStart[matches.count] = m.lineStart;
    ++matches.count;
  }
  return true;
}

bool findPhoneticMatches(const char* dictionaryPath, const char* query, int queryLength,
                         int searchLanguage, MatchList& matches, std::size_t blockSize) {
  PhoneticQuery phonetic = phoneticQueryFromBytes(query, queryLength, searchLanguage == 1);
  return findPhoneticMatchesFor(dictionaryPath, phonetic, matches, blockSize);
}
