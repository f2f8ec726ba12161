// Russian forms whose stem changes, which the regular endings of Phonetic cannot reach: пишу
// (писать), живём (жить), идёт (идти), любви (любовь), людей (человек). The table is made at
// build time (data/russian_forms.py: hunspell-ru's analyses of the forms its affix rules give
// the words of the dictionary's translations, less those the rules already reach, plus a hand
// list of irregular and suppletive words) and shipped as russform.dat beside dictiona.dat.
//
// russform.dat: Windows-1251 text; the first line "vartolik russian forms 1"; then one form a
// line, "form lemma[,lemma...]", lower case with yo as ye, sorted by form byte by byte. A
// missing file, or one that breaks any of this, gives an empty table: Phonetic then works by its
// rules alone.
#pragma once
#include <string>
#include <vector>

struct RussianForms {
  std::vector<std::string> form;                 // sorted
  std::vector<std::vector<std::string>> lemmas;  // the dictionary words of each form
};

enum class RussianFormsStatus { Loaded, Missing, Damaged };

constexpr char kRussianFormsFile[] = "russform.dat";

// Reads a table; on Missing or Damaged the table is left empty.
RussianFormsStatus loadRussianForms(const char* path, RussianForms& table);
// The table beside a dictionary (same folder), read once and kept while the file stays the same.
const RussianForms& russianFormsBeside(const char* dictionaryPath);
// The dictionary words a folded form stands for; empty when the table does not list it.
const std::vector<std::string>* russianLemmasOf(const RussianForms& table,
                                                const std::string& folded);
