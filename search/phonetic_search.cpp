// The Phonetic scan over dictiona.dat: each line's headword key and Russian words compared with
// the query, the lines of the best tier kept.
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

struct FirstUnitTable {
  PhoneticUnit unit[256];
  PhoneticUnit shortI = devanagariPhoneticKey("\xE0\xA4\x87", false).unit[0];  // इ
  FirstUnitTable() {
    for (int b = 0; b < 256; ++b) {
      unit[b] = kAnyUnit;
      if (!isHindiCode(static_cast<unsigned char>(b)) || b == 0x69) continue;  // 0x69: short i, before its letter
      std::string devanagari = codesToDevanagari(std::string(1, static_cast<char>(b)));
      if (!isWellFormedDevanagari(devanagari)) continue;  // a sign: the next bytes decide
      PhoneticKey key = devanagariPhoneticKey(devanagari, false);
      if (key.length == 0) continue;
      unit[b] = key.unit[0];
      // What later bytes can still make of the first letter: a nukta turns d and dh into the
      // flap, the sign candra turns a into o.
      PhoneticKey flap = devanagariPhoneticKey(devanagari + "\xE0\xA4\xBC", false);
      PhoneticKey candra = devanagariPhoneticKey(codesToDevanagari(std::string(1, static_cast<char>(b)) + "a\x93"), false);
      if (flap.length) unit[b] |= flap.unit[0];
      if (candra.length) unit[b] |= candra.unit[0];
    }
  }
};

// Where the headword ends and the Russian part starts in a line.
void splitLine(const char* line, std::size_t n, std::size_t& headwordEnd, std::size_t& russianStart) {
  const char* open = nullptr;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (line[i] == ' ' && line[i + 1] == '(') {
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

bool isCyrillicLetter(unsigned char b) { return b >= 0xC0 || b == 0xA8 || b == 0xB8; }

bool russianPartHolds(const std::vector<std::string>& stems, const char* text, std::size_t n) {
  char word[64];
  std::size_t length = 0;
  bool tooLong = false;
  for (std::size_t i = 0; i <= n; ++i) {
    unsigned char b = i < n ? static_cast<unsigned char>(text[i]) : ' ';
    if (isCyrillicLetter(b)) {
      if (length < sizeof word) {
        word[length++] = static_cast<char>(foldRussian(std::string(1, static_cast<char>(b)))[0]);
      } else {
        tooLong = true;
      }
      continue;
    }
    if (length > 0 && !tooLong && russianWordMatches(stems, word, length)) return true;
    length = 0;
    tooLong = false;
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

  int tier(const char* line, std::size_t n) const {
    std::size_t headwordEnd, russianStart;
    splitLine(line, n, headwordEnd, russianStart);
    int best = -1;
    if (firstUnits && (headwordFirstUnits(line, headwordEnd) & firstUnits)) {
      PhoneticKey key = devanagariPhoneticKey(codesToDevanagari(std::string(line, headwordEnd)), false);
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

PhoneticUnit headwordFirstUnits(const char* codes, std::size_t n) {
  static const FirstUnitTable table;
  // A reph is written after its syllable but said before it: it may be the first sound.
  if (n == 0 || std::memchr(codes, 0x5E, n)) return kAnyUnit;
  unsigned char first = static_cast<unsigned char>(codes[0]);
  // The short i is written before its letter; before anything else it stays an i.
  if (first == 0x69 && n >= 2) return table.unit[static_cast<unsigned char>(codes[1])] | table.shortI;
  return table.unit[first];
}

int phoneticLineTier(const PhoneticQuery& query, const char* line, std::size_t n) {
  return PreparedQuery(query).tier(line, n);
}

bool findPhoneticMatchesFor(const char* dictionaryPath, const PhoneticQuery& query,
                            MatchList& matches, std::size_t blockSize) {
  matches.count = 0;
  FileCloser in{std::fopen(dictionaryPath, "rb")};
  if (!in.file) return false;
  if (query.empty()) return true;
  PreparedQuery prepared(query);

  MatchList tiers[2];
  auto judge = [&](const char* line, std::size_t n, int32_t number) {
    if (n > 0 && line[n - 1] == '\r') --n;
    int t = prepared.tier(line, n);
    if (t >= 0 && tiers[t].count < kMatchCap) tiers[t].line[tiers[t].count++] = number;
  };

  // Lines are read as the text-mode stream gives them: CR LF ends a line like LF, 0x1A ends
  // the file, a last line without LF is still a line.
  std::vector<char> buf(std::max<std::size_t>(blockSize, 1) + kLongestLine);
  std::size_t have = 0;
  int32_t lineNumber = 0;
  bool skipping = false;  // inside the rest of an over-long line
  bool end = false;
  while (!end && tiers[0].count < kMatchCap) {
    std::size_t got = std::fread(buf.data() + have, 1, buf.size() - have, in.file);
    if (got == 0) end = true;
    const void* stop = std::memchr(buf.data() + have, 0x1A, got);
    if (stop) {
      got = static_cast<std::size_t>(static_cast<const char*>(stop) - (buf.data() + have));
      end = true;
    }
    have += got;
    std::size_t start = 0;
    while (tiers[0].count < kMatchCap) {
      const void* lf = std::memchr(buf.data() + start, '\n', have - start);
      if (!lf) break;
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - buf.data());
      if (!skipping) judge(buf.data() + start, at - start, lineNumber);
      skipping = false;
      ++lineNumber;
      start = at + 1;
    }
    std::memmove(buf.data(), buf.data() + start, have - start);
    have -= start;
    if (end) {
      if (have > 0 && !skipping && tiers[0].count < kMatchCap) judge(buf.data(), have, lineNumber);
    } else if (have >= kLongestLine) {
      if (!skipping) judge(buf.data(), have, lineNumber);
      skipping = true;
      have = 0;
    }
  }
  if (std::ferror(in.file)) return true;
  matches = tiers[0].count > 0 ? tiers[0] : tiers[1];
  return true;
}

bool findPhoneticMatches(const char* dictionaryPath, const char* query, int queryLength,
                         int searchLanguage, MatchList& matches, std::size_t blockSize) {
  PhoneticQuery phonetic = phoneticQueryFromBytes(query, queryLength, searchLanguage == 1);
  return findPhoneticMatchesFor(dictionaryPath, phonetic, matches, blockSize);
}
