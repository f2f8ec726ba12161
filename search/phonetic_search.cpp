// The Phonetic scan over dictiona.dat: each line's headword key and Russian words compared with
// the query; the first 100 lines that match are kept.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hindi/devanagari.h"
#include "search/phonetic.h"

namespace {

constexpr PhoneticUnit kAnyUnit = ~PhoneticUnit(0);
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
        first |= key.length ? key.unit[0] : kAnyUnit;
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
    for (int i = 0; i < key.length; ++i) all |= key.unit[i];
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

// Whether a word of the Russian text is one of the stems, alone or with a regular ending. Only
// words that begin with the stems' first letter are collected.
bool russianPartHolds(const std::vector<std::string>& stems, const char* text, std::size_t n) {
  static const RussianFold fold;
  if (stems.empty() || stems[0].empty()) return false;
  const unsigned char first = static_cast<unsigned char>(stems[0][0]);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  char word[64];
  for (std::size_t i = 0; i < n; ++i) {
    if (fold.letter[p[i]] != first || (i > 0 && fold.letter[p[i - 1]])) continue;
    std::size_t length = 0;
    std::size_t j = i;
    while (j < n && fold.letter[p[j]] && length < sizeof word)
      word[length++] = static_cast<char>(fold.letter[p[j++]]);
    if ((j == n || !fold.letter[p[j]]) && russianWordMatches(stems, word, length)) return true;
  }
  return false;
}

// The query with what every line needs precomputed.
struct PreparedQuery {
  const PhoneticQuery& query;
  PhoneticUnit firstUnits = 0;
  explicit PreparedQuery(const PhoneticQuery& q) : query(q) {
    for (const auto& tier : q.hindi) {
      for (const PhoneticKey& k : tier) firstUnits |= k.unit[0];
    }
  }

  // Whether some Hindi key could match a headword that can make only these sounds.
  bool soundsAvailable(PhoneticUnit classes) const {
    for (const auto& tier : query.hindi) {
      for (const PhoneticKey& k : tier) {
        int i = 0;
        while (i < k.length && (k.unit[i] & classes)) ++i;
        if (i == k.length) return true;
      }
    }
    return false;
  }

  int tier(const char* line, std::size_t n) const {
    std::size_t headwordEnd, russianStart;
    splitLine(line, n, headwordEnd, russianStart);
    int best = -1;
    if (firstUnits && (headwordFirstUnits(line, headwordEnd) & firstUnits) &&
        soundsAvailable(headwordClasses(line, headwordEnd))) {
      PhoneticKey key =
          devanagariPhoneticKey(codesToDevanagari(std::string(line, headwordEnd)), false);
      for (int t = 0; t < 2 && best < 0; ++t) {
        for (const PhoneticKey& k : query.hindi[t]) {
          if (phoneticKeysMatch(k, key)) {
            best = t;
            break;
          }
        }
      }
    }
    if (best != 0 && !query.russian.empty()) {
      bool all = true;
      for (const auto& stems : query.russian) {
        all = all && russianPartHolds(stems, line + russianStart, n - russianStart);
      }
      if (all) best = 0;
    }
    return best;
  }
};

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

int phoneticLineTier(const PhoneticQuery& query, const char* line, std::size_t n) {
  return PreparedQuery(query).tier(line, n);
}

bool findPhoneticMatchesFor(const char* dictionaryPath, const PhoneticQuery& query,
                            MatchList& matches, std::size_t blockSize) {
  matches.count = 0;
  matches.lineStartsKnown = false;  // f2.tc is then copied by reading the dictionary again
  FileCloser in{std::fopen(dictionaryPath, "rb")};
  if (!in.file) return false;
  if (query.empty()) return true;
  PreparedQuery prepared(query);

  auto judge = [&](const char* line, std::size_t n, int32_t number) {
    if (n > 0 && line[n - 1] == '\r') --n;
    if (prepared.tier(line, n) >= 0) matches.line[matches.count++] = number;
  };

  // Lines are read as the text-mode stream gives them: CR LF ends a line like LF, 0x1A ends
  // the file, a last line without LF is still a line.
  std::vector<char> buf(std::max<std::size_t>(blockSize, 1) + kLongestLine);
  std::size_t have = 0;
  int32_t lineNumber = 0;
  bool skipping = false;  // inside the rest of an over-long line
  bool end = false;
  while (!end && matches.count < kMatchCap) {
    std::size_t got = std::fread(buf.data() + have, 1, buf.size() - have, in.file);
    if (got == 0) end = true;
    const void* stop = std::memchr(buf.data() + have, 0x1A, got);
    if (stop) {
      got = static_cast<std::size_t>(static_cast<const char*>(stop) - (buf.data() + have));
      end = true;
    }
    have += got;
    std::size_t start = 0;
    while (matches.count < kMatchCap) {
      const void* lf = std::memchr(buf.data() + start, '\n', have - start);
      if (!lf) break;
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - buf.data());
      if (!skipping) judge(buf.data() + start, at - start, lineNumber);
      skipping = false;
      ++lineNumber;
      start = at + 1;
    }
    if (matches.count == kMatchCap) break;
    std::memmove(buf.data(), buf.data() + start, have - start);
    have -= start;
    if (end) {
      if (have > 0 && !skipping && matches.count < kMatchCap) judge(buf.data(), have, lineNumber);
    } else if (have >= kLongestLine) {
      if (!skipping) judge(buf.data(), have, lineNumber);
      skipping = true;
      have = 0;
    }
  }
  // A read error is not the end of the dictionary: the caller keeps f2.tc as it was.
  return std::ferror(in.file) == 0;
}

bool findPhoneticMatches(const char* dictionaryPath, const char* query, int queryLength,
                         int searchLanguage, MatchList& matches, std::size_t blockSize) {
  PhoneticQuery phonetic = phoneticQueryFromBytes(query, queryLength, searchLanguage == 1);
  return findPhoneticMatchesFor(dictionaryPath, phonetic, matches, blockSize);
}
