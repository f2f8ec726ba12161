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
  // Doubled letters merged (only where nothing stood between them), then the short a's left out.
  PhoneticKey finish() const {
    PhoneticKey key;
    key.overflow = overflow;
    PhoneticUnit previous = 0;
    for (int i = 0; i < length; ++i) {
      PhoneticUnit u = unit[i];
      if (u == previous) continue;
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
      } else if (flapLike && nukta) {
        key.push(base == 0x0921 ? "R" : "Rh");
      } else if (flapLike && lenient) {
        key.push(base == 0x0921 ? "[dR]" : "[dR]h");
      } else {
        key.push(kConsonants[base - 0x0915]);
      }
      if (next == 0x094D) {
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

void appendLatin(const std::string& text, KeyBuilder& key) {
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
    key.push(sounds);
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

bool isRussianEnding(const char* p, std::size_t n) {
  static const std::string reflexive[2] = {toCp1251("ся"), toCp1251("сь")};
  for (const std::string& r : reflexive) {
    if (n >= 2 && std::memcmp(p + n - 2, r.data(), 2) == 0) {
      n -= 2;
      if (n == 0) return true;
      break;
    }
  }
  for (const std::string& e : russianEndings()) {
    if (e.size() == n && std::memcmp(e.data(), p, n) == 0) return true;
  }
  return false;
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

void addHindiKey(PhoneticQuery& query, const PhoneticKey& key) {
  if (key.length == 0 || key.overflow) return;
  for (const PhoneticKey& k : query.hindi[0]) {
    if (sameKey(k, key)) return;
  }
  query.hindi[0].push_back(key);
  for (const PhoneticKey& stem : phoneticStems(key)) query.hindi[1].push_back(stem);
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
  }
  return key.overflow ? out + "..." : out;
}

PhoneticKey devanagariPhoneticKey(const std::string& utf8, bool lenient) {
  KeyBuilder key;
  appendDevanagari(decodeUtf8(utf8), lenient, key);
  return key.finish();
}

PhoneticKey latinPhoneticKey(const std::string& latin) {
  KeyBuilder key;
  appendLatin(latin, key);
  return key.finish();
}

bool phoneticKeysMatch(const PhoneticKey& query, const PhoneticKey& headword) {
  if (query.overflow || headword.overflow || query.length != headword.length) return false;
  for (int i = 0; i < query.length; ++i) {
    if ((query.unit[i] & headword.unit[i]) == 0) return false;
  }
  return query.length > 0;
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
  static const std::string reflexive[2] = {toCp1251("ся"), toCp1251("сь")};
  for (const std::string& r : reflexive) {
    if (base.size() > r.size() && base.compare(base.size() - r.size(), r.size(), r) == 0) {
      base.resize(base.size() - r.size());
      add(base);
      break;
    }
  }
  for (const std::string& e : russianEndings()) {
    if (base.size() > e.size() && base.compare(base.size() - e.size(), e.size(), e) == 0) {
      add(base.substr(0, base.size() - e.size()));
    }
  }
  return stems;
}

bool russianWordMatches(const std::vector<std::string>& stems, const char* word, std::size_t n) {
  for (const std::string& s : stems) {
    if (n < s.size() || std::memcmp(word, s.data(), s.size()) != 0) continue;
    if (n == s.size()) return true;
    if (s.size() >= kMinRussianStem && isRussianEnding(word + s.size(), n - s.size())) return true;
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
  if (!faceCodes) addHindiKey(query, latinPhoneticKey(text));
  if (faceCodes || hindiLanguage) {
    std::string devanagari = codesToDevanagari(text);
    if (faceCodes || isWellFormedDevanagari(devanagari)) {
      addHindiKey(query, devanagariPhoneticKey(devanagari, true));
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
  addHindiKey(query, devanagari ? devanagariPhoneticKey(utf8, true) : latinPhoneticKey(utf8));
  return query;
}
