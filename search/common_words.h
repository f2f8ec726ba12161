// The headwords of the starter vocabulary (the core, function word, everyday word and verb
// lists of data/dictionary), which Phonetic lists first among lines of equal rank: a learner
// who types pyaar or любовь most likely means the everyday word. The list is made at build time
// (data/common_words.py) and shipped as common.dat beside dictiona.dat.
//
// common.dat: the line "vartolik common words 1", then one headword a line in the dictionary's
// bytes (the face's codes), sorted byte by byte, LF line ends. A missing file, or one that breaks
// any of this, gives an empty list: equal ranks then stay in dictionary order.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct CommonWords {
  std::vector<std::string> word;  // sorted
};

enum class CommonWordsStatus { Loaded, Missing, Damaged };

constexpr char kCommonWordsFile[] = "common.dat";

// Reads a list; on Missing or Damaged the list is left empty.
CommonWordsStatus loadCommonWords(const char* path, CommonWords& list);
// The list beside a dictionary (same folder), read once and kept while the file stays the same.
const CommonWords& commonWordsBeside(const char* dictionaryPath);
// Whether a headword (the dictionary's bytes) is on the list.
bool isCommonWord(const CommonWords& list, const char* headword, std::size_t n);
