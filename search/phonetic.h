// The Phonetic match mode: an entry is found when the query sounds like its headword (Latin
// transliteration or Devanagari) or like a word of its Russian part (Cyrillic), however the
// learner spelled or inflected it.
//
// Hindi is compared as a phonetic key: a short sequence of sound classes made from the
// Devanagari (for a headword: face codes -> Devanagari -> key) or from a learner's Latin. The
// key forgives what learners mix up: vowel length (a/aa, i/ii/ee, u/uu/oo), e/ai and o/au,
// nukta letters and their spellings (z/j, f/ph, q/k, x/kh, the flap as d or r), retroflex and
// dental (T/t, D/d, N/n, Sh/sh), ch/chh, w/v, doubled consonants, anusvara and chandrabindu as
// n (the anusvara before p, b, m as m or n), and the short a (inherent, written or dropped: every a
// after the word's start is left out). Each position of a query key is a set of classes (Latin d
// may be the flap, so may r); a headword's positions are single classes.
//
// Russian is compared word by word after folding case and yo to ye: a word of the Russian part
// matches when it equals the query, or when both are one stem (3 letters or more) with a
// regular ending each.
//
// An inflected Hindi query (plural, oblique, verb forms) also finds its dictionary forms.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "search/search.h"

// The sound classes of a key, one bit each.
using PhoneticUnit = uint32_t;
constexpr int kMaxPhoneticKey = 80;

struct PhoneticKey {
  PhoneticUnit unit[kMaxPhoneticKey];
  int length = 0;
  bool overflow = false;  // longer than kMaxPhoneticKey: matches nothing
};

// A key written as text, one letter per position, alternatives in brackets: "l[dR]k".
std::string describePhoneticKey(const PhoneticKey& key);

// Keys of Devanagari (UTF-8) and of Latin letters. `lenient` reads unpointed letters the way a
// query means them (an unpointed d may stand for the flap).
PhoneticKey devanagariPhoneticKey(const std::string& utf8, bool lenient);
PhoneticKey latinPhoneticKey(const std::string& latin);

// 1 when the two keys have the same length and every position shares a class.
bool phoneticKeysMatch(const PhoneticKey& query, const PhoneticKey& headword);

// Dictionary forms an inflected query key may stand for: the key with a regular ending
// replaced (ladke -> ladka, kitaben -> kitab, padhta -> padhna). Never the key itself.
std::vector<PhoneticKey> phoneticStems(const PhoneticKey& key);

// Russian (Windows-1251) folded to lower case with yo as ye; other bytes stay.
unsigned char foldRussianLetter(unsigned char cp1251);
std::string foldRussian(const std::string& cp1251);
// The stems a folded Russian word stands for: the word itself, then the word less each
// regular ending that leaves 3 letters or more.
std::vector<std::string> russianStems(const std::string& folded);
// Whether a folded Russian word is one of the stems, alone or with a regular ending.
bool russianWordMatches(const std::vector<std::string>& stems, const char* word, std::size_t n);

// Whether Devanagari text (UTF-8) is a plausible written word: no sign without a letter to sit
// on, at most one vowel sign per letter.
bool isWellFormedDevanagari(const std::string& utf8);

// What a query asks for: Hindi keys by tier (0 as typed, 1 its dictionary forms), or Russian
// words, each as its stems (a line must hold every one of them).
struct PhoneticQuery {
  std::vector<PhoneticKey> hindi[2];
  std::vector<std::vector<std::string>> russian;
  bool empty() const { return hindi[0].empty() && hindi[1].empty() && russian.empty(); }
};

// The query of the program's bytes. Bytes of Cyrillic letters make a Russian query; the face's
// upper codes a Devanagari one. Plain Latin letters are a transliteration; while Hindi is the
// search language (hindiLanguage) they are also the face's codes, when those read as a
// well-formed word and the letters are all lower case (typed Hindi needs capitals for most
// long vowels and aspirates, transliteration does not).
PhoneticQuery phoneticQueryFromBytes(const char* bytes, int length, bool hindiLanguage);
// The query of UTF-8 text: Devanagari, Cyrillic or a Latin transliteration.
PhoneticQuery phoneticQueryFromUtf8(const std::string& utf8);

// The classes the key of a headword's codes can begin with, read from its first bytes alone
// (every class when they do not tell). Lets the scan skip most lines without converting them.
PhoneticUnit headwordFirstUnits(const char* codes, std::size_t n);
// Every class the key of a headword's codes can hold, from its bytes one by one.
PhoneticUnit headwordClasses(const char* codes, std::size_t n);

// The best tier (0 or 1) at which a dictionary line (without its line end) matches, or -1.
// The headword is the text before " (" (or the first token); the Russian part is what follows
// the transcription's ")" (or the first token when there is no transcription).
int phoneticLineTier(const PhoneticQuery& query, const char* line, std::size_t n);

// First pass of a Phonetic search: the lines that match at either tier, at most 100, as line
// numbers. False when the dictionary cannot be opened.
bool findPhoneticMatchesFor(const char* dictionaryPath, const PhoneticQuery& query,
                            MatchList& matches, std::size_t blockSize = kSearchBlockSize);
// The same for the program's query bytes and search language (1 Hindi, 0 Russian).
bool findPhoneticMatches(const char* dictionaryPath, const char* query, int queryLength,
                         int searchLanguage, MatchList& matches,
                         std::size_t blockSize = kSearchBlockSize);
