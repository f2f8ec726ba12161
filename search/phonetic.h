// The Phonetic match mode: an entry is found when the query sounds like its headword (Latin
// transliteration or Devanagari) or like a word of its Russian part (Cyrillic), however the
// learner spelled or inflected it, and the entries are listed best first.
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
// A tolerant comparison forgives more, the way Hinglish texts spell: a unit marked optional may
// be left out on either side. A headword marks the h of an aspirate (k for kh), a nasal sign and
// a half nasal before a stop (kyu for kyon, aakh for aankh); a Latin query marks e, o and u beside
// an h (behen, bohot: a short a), an n that no vowel follows (gaon) and a v between vowels, and
// widens o and u to each other, s to sh and a final ai to ay (samai). Keys are then lined up
// with those units left out (phoneticKeysMatchTolerant).
//
// Russian is compared word by word after folding case and yo to ye: a word of the Russian part
// matches when it equals the query, or when both are one stem (3 letters or more) with a
// regular ending each; an infinitive's stem takes only a verb's endings (видеть is not вид or
// видео). Forms whose stem changes (пишу, живём, людей) are looked up in a table
// made at build time from hunspell-ru's analyses and a hand list of irregular words, shipped as
// russform.dat beside dictiona.dat (russian_forms.h); without it the rules alone apply.
//
// An inflected Hindi query (plural, oblique, verb forms) also finds its dictionary forms.
//
// The order. A line's rank is 16 x where the match is + 4 x how close it is + a detail. Where:
// 0 the headword, or the first word of the Russian part's first sense; 1 a later word or sense;
// 2 an example (after "~" or a Hindi word). How close: 0 the same sound or word as the query,
// 1 a regular (or listed) inflection of it, or a Devanagari query spelled otherwise than the
// headword, 2 a tolerant match (or the same sound with vowels the headword does not say,
// phoneticVowelsApart), 3 a tolerant match of an inflection, or an inflection the headword
// cannot take by its line's word class (м., ж., прил., гл.: kyun is no form of कान); a Latin
// reading of letters the query line shows as Devanagari is one step further; for a Russian word 0
// the word itself, 1 the dictionary word russform.dat gives it, 2 a form by the regular endings.
// The detail: for a headword, how far its spelling is from the query's (phoneticSpellingDistance, 0
// to 3); for a Russian word, 0 when it is its sense, 1 when the sense has other items (synonyms), 2
// when more words follow it ("вода из Ганга"), 3 when the sense is labelled bookish or poetic.
// Every line is ranked; the best 100 are kept in
// bounded memory. Equal ranks list the starter vocabulary first (common.dat, common_words.h), then
// dictionary order; for a Russian query the starter vocabulary also comes before the detail. When
// the best line is the query's spelling or a dictionary form of it, tolerant matches of inflections
// are left out. For a Russian query examples are left out when 5 lines or more hold the word in a
// sense (place 0 or 1).
//
// Used once per word: rankPhoneticMatches (the program's query bytes) and lookUpPhonetic (a
// UTF-8 word, as vartolik-cli and a glossing of copied text take it) return the best matches,
// best first, with each line's number and file offset; nothing of the program is needed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "search/search.h"

// The sound classes of a key, one bit each; kPhoneticOptional marks a unit a tolerant
// comparison may leave out.
using PhoneticUnit = uint32_t;
constexpr int kMaxPhoneticKey = 80;
constexpr PhoneticUnit kPhoneticClasses = (PhoneticUnit(1) << 24) - 1;
constexpr PhoneticUnit kPhoneticOptional = PhoneticUnit(1) << 30;

struct PhoneticKey {
  PhoneticUnit unit[kMaxPhoneticKey];
  int length = 0;
  bool overflow = false;  // longer than kMaxPhoneticKey: matches nothing
  bool latin = false;     // read from Latin letters (a transliteration), not from Devanagari
};

// A key written as text, one letter per position, alternatives in brackets, "?" after an
// optional unit: "l[dR]k", "kh?".
std::string describePhoneticKey(const PhoneticKey& key);

// Keys of Devanagari (UTF-8) and of Latin letters. `lenient` reads unpointed letters the way a
// query means them (an unpointed d may stand for the flap). The tolerant Latin key widens and
// marks the units Hinglish spellings leave out or change.
PhoneticKey devanagariPhoneticKey(const std::string& utf8, bool lenient);
PhoneticKey latinPhoneticKey(const std::string& latin);
PhoneticKey tolerantLatinPhoneticKey(const std::string& latin);

// 1 when the two keys have the same length and every position shares a class.
bool phoneticKeysMatch(const PhoneticKey& query, const PhoneticKey& headword);
// Whether the keys line up when optional units of either are left out.
bool phoneticKeysMatchTolerant(const PhoneticKey& query, const PhoneticKey& headword);

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

// What a query asks for: Hindi keys by closeness (0 as typed, 1 its dictionary forms, 2 the
// tolerant key, 3 its forms), or Russian words, each as its stems (the word itself first; a
// line must hold every word).
struct PhoneticQuery {
  std::vector<PhoneticKey> hindi[4];
  std::vector<std::vector<std::string>> russian;
  // Per Russian word, the dictionary words russform.dat gives it (filled by the scan).
  std::vector<std::vector<std::string>> russianListed;
  // How the query was spelled, to tell apart headwords of one key: a Latin query's long a's
  // (aa; -1 when it writes none, so length tells nothing) and doubled consonants, or the
  // Devanagari of a Devanagari query.
  int spelledLongA = -1;
  int spelledDoubles = 0;
  // The vowels a Latin query writes (a doubled letter is one: aa, ee; ai is two), -1 for none.
  int spelledVowels = -1;
  // A Latin query's plain spelling (lower case, vowel length and doubled letters left out).
  std::string plain;
  // The query as Devanagari, when it reads as such (typed in the Hindi face or pasted).
  std::string devanagari;
  bool empty() const {
    for (const auto& keys : hindi) {
      if (!keys.empty()) return false;
    }
    return russian.empty();
  }
};

// The query of the program's bytes. Bytes of Cyrillic letters make a Russian query; the face's
// upper codes a Devanagari one. Plain Latin letters are a transliteration; while Hindi is the
// search language (hindiLanguage) they are also the face's codes, when those read as a
// well-formed word and the letters are all lower case (typed Hindi needs capitals for most
// long vowels and aspirates, transliteration does not).
PhoneticQuery phoneticQueryFromBytes(const char* bytes, int length, bool hindiLanguage);
// The query of UTF-8 text: Devanagari, Cyrillic or a Latin transliteration.
PhoneticQuery phoneticQueryFromUtf8(const std::string& utf8);

// How far a headword (Devanagari) is from the query's spelling among words of one key, 0 to 3,
// as the key that matched read the query: for a Latin reading, a long a the query spells
// differently, a doubled consonant it has and the headword lacks (or the other way), and the
// edits from the query's plain spelling to the line's reading (Windows-1251 Cyrillic, "па:-ни:")
// in Latin; for a Devanagari reading, the edits between the two words. Ranks पानी before पन्नी
// for paani, खाना before कहना for khana. When the query line shows the letters as Devanagari
// (the search language is Hindi), their Latin reading is only a second guess: its matches come
// last among lines of one closeness.
int phoneticSpellingDistance(const PhoneticQuery& query, const PhoneticKey& matched,
                             const std::string& headword, const std::string& reading);

// Whether a Latin query's vowels are not the headword's: it ends in a vowel the headword does
// not say (likha, khate and aaya end in a vowel, लीख (ли:кх), खाट (кха:Т) and आय (а:й) in a
// consonant), or it writes fewer vowels than the headword says (achhi has two, अच्छाई
// (ъч-чха:-и:) three). Such a match of the same sound is less sure than an inflection (लिखना,
// खाना, आना, अच्छा): the learner typed a form.
bool phoneticVowelsApart(const PhoneticQuery& query, const PhoneticKey& matched,
                         const std::string& reading);

// The classes the key of a headword's codes can begin with, read from its first bytes alone
// (every class when they do not tell). Lets the scan skip most lines without converting them.
PhoneticUnit headwordFirstUnits(const char* codes, std::size_t n);
// Every class the key of a headword's codes can hold, from its bytes one by one.
PhoneticUnit headwordClasses(const char* codes, std::size_t n);

// The rank of a dictionary line (without its line end) for the query, or -1 when it does not
// match. The headword is the text before " (" (or the first token); the Russian part is what
// follows the transcription's ")" (or the first token when there is no transcription).
int phoneticLineRank(const PhoneticQuery& query, const char* line, std::size_t n);

struct PhoneticMatch {
  int32_t line;       // the line's number in the dictionary, from 0
  int64_t lineStart;  // the raw file offset of its first byte
  int rank;
  // 0 for a headword of the starter vocabulary (common.dat), else 1: of equal ranks the
  // commoner word first.
  int rarity;
};

// The lines least likely meant left out of the best matches (best first), as above.
void leaveOutLesserPhoneticMatches(const PhoneticQuery& query, std::vector<PhoneticMatch>& best);

// Every line of the dictionary ranked for the query; the best `cap` kept, best first, equal
// ranks in dictionary order. Russian words are first widened by the irregular forms of
// russform.dat beside the dictionary. False when the dictionary cannot be opened or read.
bool rankPhoneticMatches(const char* dictionaryPath, const PhoneticQuery& query,
                         std::vector<PhoneticMatch>& best, std::size_t cap = kMatchCap,
                         std::size_t blockSize = kSearchBlockSize);
// The same for one UTF-8 word or phrase (Devanagari, Cyrillic or Latin).
bool lookUpPhonetic(const char* dictionaryPath, const std::string& utf8,
                    std::vector<PhoneticMatch>& best, std::size_t cap = kMatchCap);

// The first pass of a Phonetic search: the best 100 lines in rank order, with their starts.
bool findPhoneticMatchesFor(const char* dictionaryPath, const PhoneticQuery& query,
                            MatchList& matches, std::size_t blockSize = kSearchBlockSize);
// The same for the program's query bytes and search language (1 Hindi, 0 Russian).
bool findPhoneticMatches(const char* dictionaryPath, const char* query, int queryLength,
                         int searchLanguage, MatchList& matches,
                         std::size_t blockSize = kSearchBlockSize);
