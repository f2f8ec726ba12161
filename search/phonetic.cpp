#include "search/phonetic.h"

#include <algorithm>
#include <cstring>

#include "hindi/cp1251.h"
#include "hindi/devanagari.h"

namespace {

// The sound classes. "R" is the flap (the nukta letters under d and dh), "S" the sh sounds,
// "c" both ch and chh; "a" is kept only at a word's start.
const char kClasses[] = "aeiouRSbcdghjklmnprstvy";
// A short a after the word's start: stands between letters while doubled letters are merged,
// then is left out.
constexpr PhoneticUnit kShortA = PhoneticUnit(1) << 31;
// While a Latin key is built: the unit is the letter h standing alone (not in kh, gh, ...).
constexpr PhoneticUnit kLoneH = PhoneticUnit(1) << 29;
// The detail of a headword's rank stays below the next closeness (4 x closeness).
constexpr int kMaxSpellingDistance = 3;

PhoneticUnit classOf(char letter) {
  const char* at = std::strchr(kClasses, letter);
  return at && letter ? PhoneticUnit(1) << (at - kClasses) : 0;
}

struct KeyBuilder {
  PhoneticUnit unit[2 * kMaxPhoneticKey];
  int length = 0;
  bool overflow = false;

  void push(PhoneticUnit u) {
    if (length < 2 * kMaxPhoneticKey) {
      unit[length++] = u;
    } else {
      overflow = true;
    }
  }
  // Letters as written in the tables: one class per letter, alternatives in brackets
  // ("[dR]h"), "A" for a short a.
  void push(const char* sounds) {
    for (const char* p = sounds; *p; ++p) {
      if (*p == 'A') {
        push(kShortA);
      } else if (*p == '[') {
        PhoneticUnit u = 0;
        for (++p; *p && *p != ']'; ++p) u |= classOf(*p);
        push(u);
        if (!*p) break;
      } else {
        push(classOf(*p));
      }
    }
  }
  // The last unit pushed may be left out by a tolerant comparison.
  void markOptional() {
    if (length > 0 && unit[length - 1] != kShortA) unit[length - 1] |= kPhoneticOptional;
  }
  void flagLast(PhoneticUnit flag) {
    if (length > 0) unit[length - 1] |= flag;
  }
  // Doubled letters merged (only where nothing stood between them), then the short a's left out.
  // A merged letter is optional only when both were.
  PhoneticKey finish() const {
    PhoneticKey key;
    key.overflow = overflow;
    PhoneticUnit previous = 0;
    for (int i = 0; i < length; ++i) {
      PhoneticUnit u = unit[i];
      if ((u & ~kPhoneticOptional) == (previous & ~kPhoneticOptional)) {
        if (!(u & kPhoneticOptional) && key.length > 0 && previous != kShortA)
          key.unit[key.length - 1] &= ~kPhoneticOptional;
        continue;
      }
      previous = u;
      if (u == kShortA) continue;
      if (key.length == kMaxPhoneticKey) {
        key.overflow = true;
        break;
      }
      key.unit[key.length++] = u;
    }
    return key;
  }
};

// UTF-8 to code points; a byte that starts no valid sequence becomes U+FFFD.
std::u32string decodeUtf8(const std::string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    uint32_t c = 0;
    const std::size_t n = utf8CharAt(s, i, c);
    out += n > 0 ? static_cast<char32_t>(c) : char32_t(0xFFFD);
    i += n > 0 ? n : 1;
  }
  return out;
}

// Consonants U+0915 to U+0939 by sound class.
const char* const kConsonants[] = {
    "k", "kh", "g",  "gh", "n",  "c", "c",  "j", "jh", "n",  // क ख ग घ ङ च छ ज झ ञ
    "t", "th", "d",  "dh", "n",  "t", "th", "d", "dh", "n",  // ट ठ ड ढ ण त थ द ध न
    "n", "p",  "ph", "b",  "bh", "m", "y",  "r", "r",  "l",  // ऩ प फ ब भ म य र ऱ ल
    "l", "l",  "v",  "S",  "S",  "s", "h",                   // ळ ऴ व श ष स ह
};

bool isConsonant(char32_t c) { return c >= 0x0915 && c <= 0x0939; }
bool isVowelSign(char32_t c) { return c >= 0x093E && c <= 0x094C; }
bool isIndependentVowel(char32_t c) { return c >= 0x0904 && c <= 0x0914; }
bool isNasalSign(char32_t c) { return c == 0x0901 || c == 0x0902; }
bool isLabial(char32_t c) { return c >= 0x092A && c <= 0x092E; }  // प फ ब भ म
// ङ ञ ण न म: as a half letter before a stop they are a nasal that learners often leave out.
bool isNasalLetter(char32_t c) {
  return c == 0x0919 || c == 0x091E || c == 0x0923 || c == 0x0928 || c == 0x092E;
}
bool isStop(char32_t c) { return c >= 0x0915 && c <= 0x092E; }

// The nukta letters Unicode also has as one character, and their bases.
char32_t withoutNukta(char32_t c) {
  static const char32_t bases[] = {0x0915, 0x0916, 0x0917, 0x091C, 0x0921, 0x0922, 0x092B, 0x092F};
  return c >= 0x0958 && c <= 0x095F ? bases[c - 0x0958] : 0;
}

const char* vowelSignSounds(char32_t c) {
  switch (c) {
    case 0x093E: return "A";  // ा
    case 0x093F:
    case 0x0940: return "i";  // ि ी
    case 0x0941:
    case 0x0942: return "u";  // ु ू
    case 0x0943:
    case 0x0944: return "ri";  // ृ ॄ
    case 0x0945:
    case 0x0946:
    case 0x0947:
    case 0x0948: return "e";  // ॅ ॆ े ै
    default: return "o";      // ॉ ॊ ो ौ
  }
}

const char* independentVowelSounds(char32_t c, bool wordStart) {
  switch (c) {
    case 0x0905:
    case 0x0906: return wordStart ? "a" : "A";  // अ आ
    case 0x0907:
    case 0x0908: return "i";  // इ ई
    case 0x0909:
    case 0x090A: return "u";  // उ ऊ
    case 0x090B:
    case 0x0960: return "ri";  // ऋ ॠ
    case 0x090C: return "li";  // ऌ
    case 0x090D:
    case 0x090E:
    case 0x090F:
    case 0x0910:
    case 0x0904: return "e";  // ऍ ऎ ए ऐ
    default: return "o";      // ऑ ऒ ओ औ
  }
}

void appendDevanagari(const std::u32string& text, bool lenient, KeyBuilder& key) {
  bool wordStart = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
    char32_t base = withoutNukta(c);
    if (isConsonant(c) || base) {
      bool nukta = base != 0;
      if (!base) base = c;
      if (next == 0x093C) {
        nukta = true;
        ++i;
        next = i + 1 < text.size() ? text[i + 1] : 0;
      }
      bool flapLike = base == 0x0921 || base == 0x0922;  // ड ढ
      if (base == 0x091C && !nukta && next == 0x094D && i + 2 < text.size() &&
          text[i + 2] == 0x091E) {
        key.push("gy");  // ज्ञ is said gy in Hindi
        i += 2;
        next = i + 1 < text.size() ? text[i + 1] : 0;
      } else {
        const char* sounds = kConsonants[base - 0x0915];
        if (flapLike && nukta) sounds = base == 0x0921 ? "R" : "Rh";
        if (flapLike && !nukta && lenient) sounds = base == 0x0921 ? "[dR]" : "[dR]h";
        key.push(sounds);
        // The h of an aspirate is what learners most often leave out (k for kh).
        if (std::strlen(sounds) > 1 && sounds[std::strlen(sounds) - 1] == 'h') key.markOptional();
      }
      if (next == 0x094D) {
        const char32_t after = i + 2 < text.size() ? text[i + 2] : 0;
        if (isNasalLetter(base) && !nukta && isStop(after)) key.markOptional();
        ++i;  // a half letter: no vowel
      } else if (!isVowelSign(next)) {
        key.push(kShortA);  // the inherent a
      }
      wordStart = false;
    } else if (isVowelSign(c)) {
      key.push(vowelSignSounds(c));
      wordStart = false;
    } else if (isIndependentVowel(c) || c == 0x0960) {
      key.push(independentVowelSounds(c, wordStart));
      wordStart = false;
    } else if (isNasalSign(c)) {
      // The anusvara before p, b or m is said m and spelled m or n; otherwise both signs are n.
      key.push(c == 0x0902 && isLabial(next) ? "[mn]" : "n");
      key.markOptional();  // a nasal vowel is often written without its sign
    } else if (c == 0x0903) {
      key.push("h");  // visarga
    } else if (c == 0x094D || c == 0x093C || c == 0x200C || c == 0x200D) {
      // a halant or nukta without its letter, joiners: no sound of their own
    } else {
      wordStart = true;  // anything else separates words
    }
  }
}

// Latin spellings learners use, longest first where one begins another.
struct LatinSpelling {
  const char* letters;
  const char* sounds;
};
const LatinSpelling kLatin[] = {
    {"chh", "c"},    {"ch", "c"},    {"kh", "kh"}, {"gh", "gh"},    {"jh", "jh"}, {"th", "th"},
    {"dh", "[dR]h"}, {"ph", "ph"},   {"bh", "bh"}, {"rh", "[rR]h"}, {"sh", "S"},  {"aa", "A"},
    {"ai", "[ei]"},  {"au", "[ou]"}, {"ee", "i"},  {"ii", "i"},     {"ei", "e"},  {"oo", "u"},
    {"uu", "u"},     {"ou", "o"},    {"a", "A"},   {"b", "b"},      {"c", "c"},   {"d", "[dR]"},
    {"e", "e"},      {"f", "ph"},    {"g", "g"},   {"h", "h"},      {"i", "i"},   {"j", "j"},
    {"k", "k"},      {"l", "l"},     {"m", "m"},   {"n", "n"},      {"o", "o"},   {"p", "p"},
    {"q", "k"},      {"r", "[rR]"},  {"s", "s"},   {"t", "t"},      {"u", "u"},   {"v", "v"},
    {"w", "v"},      {"x", "k[hS]"}, {"y", "y"},   {"z", "j"},
};

bool isLatinVowel(char c) { return c && std::strchr("aeiou", c) != nullptr; }

// The spellings of Hinglish texts that the strict reading does not forgive: o and u for each
// other, s for sh, -ai for -ay, an n or a v that may stand for nothing, and e, o, u beside an h
// written for a short a (behen, bohot). Returns the sounds of one Latin spelling, widened, and
// whether the unit may be left out.
const char* tolerantLatinSounds(const std::string& lower, std::size_t i, const LatinSpelling& s,
                                const char* sounds, bool& optional) {
  const std::size_t n = std::strlen(s.letters);
  const char before = i > 0 ? lower[i - 1] : '\0';
  const char after = i + n < lower.size() ? lower[i + n] : '\0';
  optional = false;
  if (std::strcmp(s.letters, "n") == 0) {
    optional = !isLatinVowel(after) && after != 'y';  // the nasal of kyon, gaon, main
    return sounds;
  }
  if (std::strcmp(s.letters, "v") == 0 || std::strcmp(s.letters, "w") == 0) {
    optional = isLatinVowel(before) && (isLatinVowel(after) || !after);  // huwa, hua
    return sounds;
  }
  if (std::strcmp(sounds, "o") == 0 || std::strcmp(sounds, "u") == 0)
    return isLatinVowel(before) ? "[ouv]" : "[ou]";  // gaon for gaanv
  if (std::strcmp(s.letters, "s") == 0) return "[sS]";
  if (std::strcmp(sounds, "[ei]") == 0) return "[eiy]";  // samai, chai
  return sounds;
}

void appendLatin(const std::string& text, bool tolerant, KeyBuilder& key) {
  std::string lower;
  for (char ch : text) lower += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  bool wordStart = true;
  for (std::size_t i = 0; i < lower.size();) {
    const LatinSpelling* found = nullptr;
    for (const LatinSpelling& s : kLatin) {
      std::size_t n = std::strlen(s.letters);
      if (lower.compare(i, n, s.letters) == 0) {
        found = &s;
        break;
      }
    }
    if (!found) {
      if (lower[i] != '\'') wordStart = true;  // an apostrophe only marks two vowels apart
      ++i;
      continue;
    }
    const char* sounds = found->sounds;
    if (wordStart && sounds[0] == 'A') sounds = "a";
    if (wordStart && std::strcmp(found->letters, "ai") == 0) sounds = "e";
    if (wordStart && std::strcmp(found->letters, "au") == 0) sounds = "o";
    bool optional = false;
    if (tolerant) sounds = tolerantLatinSounds(lower, i, *found, sounds, optional);
    key.push(sounds);
    if (optional) key.markOptional();
    if (tolerant && std::strcmp(found->letters, "h") == 0) key.flagLast(kLoneH);
    wordStart = false;
    i += std::strlen(found->letters);
  }
}

// Regular endings of inflected forms on the key (short a's already left out) and the ending of
// the dictionary form: nouns and adjectives (-e, -on, -en, -iyan, -iyon, feminine -i), and verb
// forms on the stem, whose dictionary form is the infinitive in -naa.
struct StemRule {
  const char* ending;
  const char* dictionaryEnding;
};
const StemRule kHindiStemRules[] = {
    {"e", ""},     {"on", ""},    {"en", ""},     {"iyn", "i"},   {"iyon", "i"}, {"i", ""},
    {"", "n"},     {"e", "n"},    {"i", "n"},     {"in", "n"},    {"en", "n"},   {"un", "n"},
    {"o", "n"},    {"t", "n"},    {"ti", "n"},    {"te", "n"},    {"tin", "n"},  {"eg", "n"},
    {"egi", "n"},  {"ege", "n"},  {"eng", "n"},   {"enge", "n"},  {"engi", "n"}, {"ung", "n"},
    {"ungi", "n"}, {"oge", "n"},  {"ogi", "n"},   {"iye", "n"},   {"iyeg", "n"}, {"kr", "n"},
    {"ke", "n"},   {"ne", "n"},   {"y", "n"},     {"yi", "n"},    {"ye", "n"},   {"yin", "n"},
    {"n", ""},     {"on", "n"},   {"ie", "n"},    {"ieg", "n"},   {"yeg", "n"},  {"yegi", "n"},
    {"yege", "n"}, {"yeng", "n"}, {"yenge", "n"}, {"yengi", "n"}, {"yung", "n"}, {"yungi", "n"},
    {"yoge", "n"}, {"yogi", "n"}, {"yen", "n"},   {"yun", "n"},   {"yo", "n"},   {"vog", "n"},
    {"vo", "n"},   {"v", "n"},
};
constexpr int kMinHindiStem = 2;
constexpr int kMinTolerantForms = 3;

bool sameKey(const PhoneticKey& a, const PhoneticKey& b) {
  return a.length == b.length && std::equal(a.unit, a.unit + a.length, b.unit);
}

// Russian endings of nouns, adjectives and verbs (UTF-8 here, Windows-1251 once built).
const char* const kRussianEndingsUtf8[] = {
    "а",   "я",   "о",   "е",   "ы",   "и",   "у",   "ю",   "ь",   "й",    "л",   "ая",  "яя",
    "ое",  "ее",  "ые",  "ие",  "ую",  "юю",  "ой",  "ей",  "ый",  "ий",   "ых",  "их",  "ым",
    "им",  "ом",  "ем",  "ам",  "ям",  "ах",  "ях",  "ов",  "ев",  "ью",   "ия",  "ии",  "ию",
    "ть",  "ти",  "ет",  "ит",  "ут",  "ют",  "ат",  "ят",  "ла",  "ло",   "ли",  "ого", "его",
    "ому", "ему", "ыми", "ими", "ами", "ями", "иях", "иям", "ией", "ешь",  "ишь", "ете", "ите",
    "ить", "ать", "ять", "еть", "ья",  "ье",  "ьи",  "ьев", "ьям", "ьями", "ьях",
};
constexpr std::size_t kMinRussianStem = 3;

std::string toCp1251(const char* utf8) {
  std::string out, error;
  utf8ToCp1251(utf8, out, error);
  return out;
}

const std::vector<std::string>& russianEndings() {
  static const std::vector<std::string> endings = [] {
    std::vector<std::string> e;
    for (const char* s : kRussianEndingsUtf8) e.push_back(toCp1251(s));
    return e;
  }();
  return endings;
}

// The reflexive endings -ся and -сь, which follow a verb's own ending.
const std::vector<std::string>& reflexiveEndings() {
  static const std::vector<std::string> reflexive = {toCp1251("ся"), toCp1251("сь")};
  return reflexive;
}

// Whether p[0, n) is one of the endings, or a reflexive ending, or one of them with a reflexive
// ending after it.
bool isEndingIn(const std::vector<std::string>& endings, const char* p, std::size_t n) {
  for (const std::string& r : reflexiveEndings()) {
    if (n >= 2 && std::memcmp(p + n - 2, r.data(), 2) == 0) {
      n -= 2;
      if (n == 0) return true;
      break;
    }
  }
  for (const std::string& e : endings) {
    if (e.size() == n && std::memcmp(e.data(), p, n) == 0) return true;
  }
  return false;
}

bool isRussianEnding(const char* p, std::size_t n) { return isEndingIn(russianEndings(), p, n); }

// How long the reflexive ending a word ends in is (0 when it has none before it).
std::size_t reflexiveLength(const std::string& word) {
  for (const std::string& r : reflexiveEndings()) {
    if (word.size() > r.size() && word.compare(word.size() - r.size(), r.size(), r) == 0)
      return r.size();
  }
  return 0;
}

bool isCyrillicByte(unsigned char b) { return b >= 0xC0 || b == 0xA8 || b == 0xB8; }

// The words of Cyrillic text, each as its stems.
std::vector<std::vector<std::string>> russianQueryWords(const std::string& cp1251) {
  std::vector<std::vector<std::string>> words;
  std::string folded = foldRussian(cp1251);
  std::string word;
  for (std::size_t i = 0; i <= folded.size(); ++i) {
    if (i < folded.size() && isCyrillicByte(static_cast<unsigned char>(folded[i]))) {
      word += folded[i];
    } else if (!word.empty()) {
      words.push_back(russianStems(word));
      word.clear();
    }
  }
  return words;
}

// A Hindi reading of the query: the key as typed and its dictionary forms; then, for keys of two
// sounds or more, the tolerant key (the same key for Devanagari, whose optional sounds are
// marked already) and its forms.
void addHindiKey(PhoneticQuery& query, const PhoneticKey& key, const PhoneticKey& tolerant) {
  if (key.length == 0 || key.overflow) return;
  for (const PhoneticKey& k : query.hindi[0]) {
    if (sameKey(k, key) && k.latin == key.latin) return;
  }
  query.hindi[0].push_back(key);
  for (const PhoneticKey& stem : phoneticStems(key)) query.hindi[1].push_back(stem);
  if (tolerant.length < 2 || tolerant.overflow) return;
  query.hindi[2].push_back(tolerant);
  // A tolerant key of two sounds read as an inflection would match most short words (qz: kj ->
  // khajaanaa); its forms are taken from three sounds on.
  if (tolerant.length < kMinTolerantForms) return;
  for (const PhoneticKey& stem : phoneticStems(tolerant)) query.hindi[3].push_back(stem);
}

}  // namespace

std::string describePhoneticKey(const PhoneticKey& key) {
  std::string out;
  for (int i = 0; i < key.length; ++i) {
    std::string letters;
    for (int b = 0; kClasses[b]; ++b) {
      if (key.unit[i] & (PhoneticUnit(1) << b)) letters += kClasses[b];
    }
    out += letters.size() == 1 ? letters : "[" + letters + "]";
    if (key.unit[i] & kPhoneticOptional) out += '?';
  }
  return key.overflow ? out + "..." : out;
}

PhoneticKey devanagariPhoneticKey(const std::string& utf8, bool lenient) {
  KeyBuilder key;
  appendDevanagari(decodeUtf8(utf8), lenient, key);
  return key.finish();
}

PhoneticKey latinPhoneticKey(const std::string& latin) {
  KeyBuilder builder;
  appendLatin(latin, false, builder);
  PhoneticKey key = builder.finish();
  key.latin = true;
  return key;
}

PhoneticKey tolerantLatinPhoneticKey(const std::string& latin) {
  KeyBuilder builder;
  appendLatin(latin, true, builder);
  PhoneticKey key = builder.finish();
  // e, o or u beside a lone h may be a short a: behen, sheher, pehle, bohot, humesha.
  const PhoneticUnit vowels = classOf('e') | classOf('o') | classOf('u');
  for (int i = 0; i < key.length; ++i) {
    const PhoneticUnit sound = key.unit[i] & kPhoneticClasses;
    const bool besideH =
        (i > 0 && (key.unit[i - 1] & kLoneH)) || (i + 1 < key.length && (key.unit[i + 1] & kLoneH));
    if (sound && (sound & ~(vowels | classOf('v'))) == 0 && (sound & vowels) && besideH)
      key.unit[i] |= kPhoneticOptional;
  }
  for (int i = 0; i < key.length; ++i) key.unit[i] &= ~kLoneH;
  key.latin = true;
  return key;
}

bool phoneticKeysMatch(const PhoneticKey& query, const PhoneticKey& headword) {
  if (query.overflow || headword.overflow || query.length != headword.length) return false;
  for (int i = 0; i < query.length; ++i) {
    if ((query.unit[i] & headword.unit[i] & kPhoneticClasses) == 0) return false;
  }
  return query.length > 0;
}

bool phoneticKeysMatchTolerant(const PhoneticKey& query, const PhoneticKey& headword) {
  if (query.overflow || headword.overflow || query.length == 0 || headword.length == 0)
    return false;
  // reach[j]: the first i query units can be lined up with the first j headword units, each
  // unit either sharing a class with its partner or, when optional, left out.
  bool reach[kMaxPhoneticKey + 1], next[kMaxPhoneticKey + 1];
  const int m = headword.length;
  reach[0] = true;
  for (int j = 0; j < m; ++j) reach[j + 1] = reach[j] && (headword.unit[j] & kPhoneticOptional);
  for (int i = 0; i < query.length; ++i) {
    const PhoneticUnit q = query.unit[i];
    const bool skipQuery = (q & kPhoneticOptional) != 0;
    bool any = false;
    for (int j = 0; j <= m; ++j) {
      bool r = skipQuery && reach[j];
      if (j > 0) {
        r = r || (reach[j - 1] && (q & headword.unit[j - 1] & kPhoneticClasses));
        r = r || (next[j - 1] && (headword.unit[j - 1] & kPhoneticOptional));
      }
      next[j] = r;
      any = any || r;
    }
    if (!any) return false;
    std::copy(next, next + m + 1, reach);
  }
  return reach[m];
}

std::vector<PhoneticKey> phoneticStems(const PhoneticKey& key) {
  std::vector<PhoneticKey> stems;
  if (key.overflow) return stems;
  for (const StemRule& rule : kHindiStemRules) {
    int n = static_cast<int>(std::strlen(rule.ending));
    int stem = key.length - n;
    // Verb stems may be one sound (jaa-naa, khaa-naa); noun stems are at least two.
    if (stem < (rule.dictionaryEnding[0] == 'n' ? 1 : kMinHindiStem)) continue;
    bool fits = true;
    for (int k = 0; k < n && fits; ++k) fits = (key.unit[stem + k] & classOf(rule.ending[k])) != 0;
    if (!fits) continue;
    PhoneticKey s;
    s.latin = key.latin;
    s.length = stem;
    std::copy(key.unit, key.unit + stem, s.unit);
    for (const char* p = rule.dictionaryEnding; *p && s.length < kMaxPhoneticKey; ++p) {
      s.unit[s.length++] = classOf(*p);
    }
    if (sameKey(s, key)) continue;
    bool seen = false;
    for (const PhoneticKey& other : stems) seen = seen || sameKey(other, s);
    if (!seen) stems.push_back(s);
  }
  return stems;
}

unsigned char foldRussianLetter(unsigned char b) {
  if (b >= 0xC0 && b <= 0xDF) return static_cast<unsigned char>(b + 0x20);
  if (b == 0xA8 || b == 0xB8) return 0xE5;  // Ё ё as е
  return b;
}

std::string foldRussian(const std::string& cp1251) {
  std::string out = cp1251;
  for (char& ch : out) ch = static_cast<char>(foldRussianLetter(static_cast<unsigned char>(ch)));
  return out;
}

std::vector<std::string> russianStems(const std::string& folded) {
  std::vector<std::string> stems{folded};
  auto add = [&](const std::string& s) {
    if (s.size() >= kMinRussianStem && std::find(stems.begin(), stems.end(), s) == stems.end()) {
      stems.push_back(s);
    }
  };
  std::string base = folded;
  if (const std::size_t reflexive = reflexiveLength(base)) {
    base.resize(base.size() - reflexive);
    add(base);
  }
  for (const std::string& e : russianEndings()) {
    if (base.size() > e.size() && base.compare(base.size() - e.size(), e.size(), e) == 0) {
      add(base.substr(0, base.size() - e.size()));
    }
  }
  return stems;
}

namespace {

// Whether a stem is a verb's: one of the words it was made from is the stem with an infinitive
// ending (вид of видеть, виде of видеть; a reflexive verb's stems hold it without -ся too).
bool isVerbStem(const std::vector<std::string>& stems, const std::string& stem) {
  static const std::vector<std::string> infinitive = {toCp1251("ть"), toCp1251("ти"),
                                                      toCp1251("чь")};
  for (const std::string& word : stems) {
    if (word.size() <= stem.size() || word.compare(0, stem.size(), stem) != 0) continue;
    const std::string end = word.substr(stem.size());
    for (const std::string& i : infinitive) {
      if (end.size() >= i.size() && end.compare(end.size() - i.size(), i.size(), i) == 0 &&
          isRussianEnding(end.data(), end.size()))
        return true;
    }
  }
  return false;
}

// Whether an ending (reflexive or not) can end a verb form: a verb's stem takes these, never a
// noun's bare stem or -о (видеть is not вид, not видео).
bool isVerbEnding(const char* p, std::size_t n) {
  static const std::vector<std::string> endings = [] {
    std::vector<std::string> out;
    for (const char* e :
         {"ю",  "у",  "я",  "й",  "л",  "ла",  "ло",  "ли",  "ть",  "ти",  "ет",  "ит",  "ут",
          "ют", "ат", "ят", "ем", "им", "ешь", "ишь", "ете", "ите", "ить", "ать", "ять", "еть"})
      out.push_back(toCp1251(e));
    return out;
  }();
  return isEndingIn(endings, p, n);
}

}  // namespace

bool russianWordMatches(const std::vector<std::string>& stems, const char* word, std::size_t n) {
  for (const std::string& s : stems) {
    if (n < s.size() || std::memcmp(word, s.data(), s.size()) != 0) continue;
    if (n == s.size() && &s == &stems[0]) return true;
    if (s.size() < kMinRussianStem) continue;
    const bool verb = isVerbStem(stems, s);
    if (n == s.size() && !verb) return true;
    if (n > s.size() && (verb ? isVerbEnding(word + s.size(), n - s.size())
                              : isRussianEnding(word + s.size(), n - s.size())))
      return true;
  }
  return false;
}

bool isWellFormedDevanagari(const std::string& utf8) {
  enum { Start, Letter, LetterNukta, Halant, VowelSign, Vowel, Sign } state = Start;
  for (char32_t c : decodeUtf8(utf8)) {
    bool letter = isConsonant(c) || withoutNukta(c);
    if (letter) {
      state = withoutNukta(c) ? LetterNukta : Letter;
    } else if (c == 0x093C) {
      if (state != Letter) return false;
      state = LetterNukta;
    } else if (c == 0x094D) {
      if (state != Letter && state != LetterNukta) return false;
      state = Halant;
    } else if (isVowelSign(c)) {
      if (state != Letter && state != LetterNukta) return false;
      state = VowelSign;
    } else if (isNasalSign(c) || c == 0x0903) {
      if (state == Start || state == Halant || state == Sign) return false;
      state = Sign;
    } else if (isIndependentVowel(c)) {
      state = Vowel;
    } else if (c >= 0x0900 && c <= 0x097F) {
      state = Start;  // danda, digits
    } else {
      if (state == Halant) return false;
      state = Start;
    }
  }
  return true;
}

namespace {

bool isLongA(char32_t c) { return c == 0x093E || c == 0x0906; }

// ch-chh, k-kh and the like count as one doubled consonant, as learners spell them (achchha).
bool sameConsonantSound(char32_t a, char32_t b) {
  if (a == b) return true;
  if (!isConsonant(a) || !isConsonant(b)) return false;
  const char* x = kConsonants[a - 0x0915];
  const char* y = kConsonants[b - 0x0915];
  return x[0] == y[0] && x[0] != 'n' && x[0] != 'S';
}

int devanagariDoubles(const std::u32string& text) {
  int doubles = 0;
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    if (text[i + 1] == 0x094D && sameConsonantSound(text[i], text[i + 2])) ++doubles;
  }
  return doubles;
}

// Letters of a learner's Latin that spell one sound, as one plain spelling: vowel length left
// out (ee and ii as i, oo and uu as u), ai and ei as e, au and ou as o, and the letters a word
// is spelled with either way (w v, q k, x kh, ph f, chh ch).
const LatinSpelling kPlainSpellings[] = {
    {"chh", "ch"}, {"aa", "a"}, {"ee", "i"}, {"ii", "i"}, {"oo", "u"}, {"uu", "u"},
    {"ai", "e"},   {"ei", "e"}, {"au", "o"}, {"ou", "o"}, {"ph", "f"}, {"ch", "ch"},
    {"sh", "sh"},  {"w", "v"},  {"q", "k"},  {"x", "kh"},
};

// Latin as a plain spelling (kPlainSpellings), lower case, without doubled letters (achchha and
// acha are one) or anything but letters.
std::string plainSpelling(const std::string& latin) {
  std::string out, last;
  for (std::size_t i = 0; i < latin.size();) {
    char c = latin[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c < 'a' || c > 'z') {
      ++i;
      last.clear();
      continue;
    }
    std::string lower(1, c);
    for (std::size_t k = 1; k < 3 && i + k < latin.size(); ++k) {
      const char n = latin[i + k];
      lower += (n >= 'A' && n <= 'Z') ? static_cast<char>(n - 'A' + 'a') : n;
    }
    std::string unit(1, c);
    std::size_t used = 1;
    for (const LatinSpelling& s : kPlainSpellings) {
      const std::size_t n = std::strlen(s.letters);
      if (lower.compare(0, n, s.letters) == 0) {
        unit = s.sounds;
        used = n;
        break;
      }
    }
    if (unit != last) out += unit;
    last = unit;
    i += used;
  }
  return out;
}

// A line's Cyrillic reading (Windows-1251: "па:-ни:", "ач-чха:") in Latin letters as a learner
// types them; empty when it holds no Cyrillic letter.
std::string readingAsLatin(const std::string& cp1251) {
  // А to Я, then а to я: the capitals Т Д Н Р are the retroflex letters and the flap (said d
  // or r), Ъ ъ the short a.
  static const char* const kLetters[64] = {
      "a", "b", "v", "g", "d", "e", "j",  "z",  "i",  "y",  "k", "l", "m", "n", "o",  "p",
      "d", "s", "t", "u", "f", "h", "ts", "ch", "sh", "sh", "a", "i", "",  "e", "yu", "ya",
      "a", "b", "v", "g", "d", "e", "j",  "z",  "i",  "y",  "k", "l", "m", "n", "o",  "p",
      "r", "s", "t", "u", "f", "h", "ts", "ch", "sh", "sh", "a", "i", "",  "e", "yu", "ya",
  };
  std::string out;
  bool any = false;
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(cp1251[i]);
    if (b == '~') {
      out += 'n';  // the nasal vowel
    } else if (b >= 0xC0) {
      any = true;
      // дж is j.
      if (b == 0xE4 && i + 1 < cp1251.size() && static_cast<unsigned char>(cp1251[i + 1]) == 0xE6)
        continue;
      out += kLetters[b - 0xC0];
    }
  }
  return any ? out : std::string();
}

// Edits (a letter put in, left out or changed) from one text to the other; texts longer than
// kMaxEditText count as far apart.
template <typename Text>
int editDistance(const Text& a, const Text& b) {
  constexpr std::size_t kMaxEditText = 64;
  const std::size_t m = a.size(), n = b.size();
  if (m > kMaxEditText || n > kMaxEditText) return kMaxSpellingDistance;
  int row[kMaxEditText + 1] = {};
  for (std::size_t j = 0; j <= n; ++j) row[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= m; ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= n; ++j) {
      const int above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[n];
}

// A Latin query's long a's when it writes any, and its doubled consonant letters.
void noteLatinSpelling(const std::string& text, PhoneticQuery& query) {
  std::string lower;
  for (char ch : text) lower += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  int longA = 0;
  for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
    if (lower[i] == 'a' && lower[i + 1] == 'a') {
      ++longA;
      ++i;
    }
  }
  query.spelledLongA = longA > 0 ? longA : -1;
  int vowels = 0;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (isLatinVowel(lower[i]) && (i == 0 || lower[i - 1] != lower[i])) ++vowels;
  }
  query.spelledVowels = vowels > 0 ? vowels : -1;
  query.plain = plainSpelling(text);
  for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
    const char c = lower[i];
    if (c >= 'a' && c <= 'z' && !isLatinVowel(c) && c != 'h' && c != 'y' &&
        (lower[i + 1] == c || (c == 'c' && lower.compare(i + 1, 2, "ch") == 0) ||
         lower.compare(i, 4, "chch") == 0))
      ++query.spelledDoubles;
  }
}

}  // namespace

int phoneticSpellingDistance(const PhoneticQuery& query, const PhoneticKey& matched,
                             const std::string& headword, const std::string& reading) {
  const std::u32string text = decodeUtf8(headword);
  if (!matched.latin)
    return std::min(kMaxSpellingDistance, editDistance(decodeUtf8(query.devanagari), text));
  if (!query.devanagari.empty()) return kMaxSpellingDistance;
  int distance = 0;
  if (query.spelledLongA >= 0) {
    const int longA = static_cast<int>(std::count_if(text.begin(), text.end(), isLongA));
    if (longA != query.spelledLongA) ++distance;
  }
  if ((query.spelledDoubles > 0) != (devanagariDoubles(text) > 0)) ++distance;
  const std::string said = plainSpelling(readingAsLatin(reading));
  if (!query.plain.empty() && !said.empty()) distance += editDistance(query.plain, said);
  return std::min(kMaxSpellingDistance, distance);
}

bool phoneticVowelsApart(const PhoneticQuery& query, const PhoneticKey& matched,
                         const std::string& reading) {
  if (!matched.latin || query.plain.empty() || reading.empty()) return false;
  static const char kVowels[] = "\xE0\xE5\xE8\xEE\xF3\xFA\xFB\xFD\xFE\xFF";  // а е и о у ъ ы э ю я
  auto isVowel = [](unsigned char b) {
    const unsigned char lower = foldRussianLetter(b);
    return lower >= 0xE0 && std::strchr(kVowels, static_cast<char>(lower)) != nullptr;
  };
  // The vowels the reading says: runs of vowel letters ("ау" is one), apart by anything else.
  int said = 0;
  for (std::size_t i = 0; i < reading.size(); ++i) {
    const auto b = static_cast<unsigned char>(reading[i]);
    if (isVowel(b) && (i == 0 || !isVowel(static_cast<unsigned char>(reading[i - 1])))) ++said;
  }
  if (query.spelledVowels >= 0 && query.spelledVowels < said) return true;
  const char last = query.plain.back();
  if (!isLatinVowel(last)) return false;
  // The reading's last letter: a vowel (ъ the short a, ":" after a long one, "~" a nasal vowel)
  // or a consonant. Й ends -ay and -ey, which learners write -ai and -ei (samai).
  const unsigned char end = static_cast<unsigned char>(reading.back());
  if (end < 0xC0) return false;
  if (isVowel(end)) return false;
  return !(foldRussianLetter(end) == 0xE9 && last != 'a');  // й
}

PhoneticQuery phoneticQueryFromBytes(const char* bytes, int length, bool hindiLanguage) {
  PhoneticQuery query;
  if (!bytes || length <= 0) return query;
  std::string text(bytes, static_cast<std::size_t>(length));
  bool cyrillic = false, upperCodes = false, typedHindi = false;
  for (unsigned char b : text) {
    if (isCyrillicByte(b)) {
      cyrillic = true;
    } else if (b >= 0x80 && isHindiCode(b)) {
      upperCodes = true;
    } else if (isHindiCode(b) && !(b >= 'a' && b <= 'z')) {
      typedHindi = true;  // capitals and signs: the face's codes
    }
  }
  if (cyrillic) {
    query.russian = russianQueryWords(text);
    return query;
  }
  bool faceCodes = upperCodes || (hindiLanguage && typedHindi);
  if (!faceCodes) {
    addHindiKey(query, latinPhoneticKey(text), tolerantLatinPhoneticKey(text));
    noteLatinSpelling(text, query);
  }
  if (faceCodes || hindiLanguage) {
    std::string devanagari = codesToDevanagari(text);
    if (faceCodes || isWellFormedDevanagari(devanagari)) {
      const PhoneticKey key = devanagariPhoneticKey(devanagari, true);
      addHindiKey(query, key, key);
      query.devanagari = devanagari;
    }
  }
  return query;
}

PhoneticQuery phoneticQueryFromUtf8(const std::string& utf8) {
  PhoneticQuery query;
  bool cyrillic = false, devanagari = false;
  for (char32_t c : decodeUtf8(utf8)) {
    cyrillic = cyrillic || (c >= 0x0400 && c <= 0x04FF);
    devanagari = devanagari || (c >= 0x0900 && c <= 0x097F);
  }
  if (cyrillic) {
    std::string bytes, error;
    if (!utf8ToCp1251(utf8, bytes, error)) return query;
    return phoneticQueryFromBytes(bytes.data(), static_cast<int>(bytes.size()), false);
  }
  if (devanagari) {
    const PhoneticKey key = devanagariPhoneticKey(utf8, true);
    addHindiKey(query, key, key);
    query.devanagari = utf8;
  } else {
    addHindiKey(query, latinPhoneticKey(utf8), tolerantLatinPhoneticKey(utf8));
    noteLatinSpelling(utf8, query);
  }
  return query;
}
