#include "search/russian_forms.h"

#include <algorithm>

#include "search/data_file.h"

namespace {

constexpr char kHeader[] = "vartolik russian forms 1";
// Far above the real table (a few hundred KB): a bigger file is not ours.
constexpr long kLargestTable = 16L << 20;

bool isLowerRussian(unsigned char b) { return b >= 0xE0; }

// One line "form lemma[,lemma...]"; false when it is not of that shape.
bool parseLine(const std::string& line, std::string& form, std::vector<std::string>& lemmas) {
  const std::size_t space = line.find(' ');
  if (space == std::string::npos || space == 0) return false;
  form = line.substr(0, space);
  lemmas.clear();
  std::string word;
  for (std::size_t i = space + 1; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ',') {
      if (word.empty()) return false;
      lemmas.push_back(word);
      word.clear();
    } else if (isLowerRussian(static_cast<unsigned char>(line[i]))) {
      word += line[i];
    } else {
      return false;
    }
  }
  return std::all_of(form.begin(), form.end(),
                     [](char c) { return isLowerRussian(static_cast<unsigned char>(c)); });
}

}  // namespace

RussianFormsStatus loadRussianForms(const char* path, RussianForms& table) {
  table = RussianForms();
  std::vector<std::string> lines;
  const DataFileStatus status = readDataFileLines(path, kHeader, kLargestTable, lines);
  if (status == DataFileStatus::Missing) return RussianFormsStatus::Missing;
  if (status == DataFileStatus::Damaged) return RussianFormsStatus::Damaged;
  RussianForms read;
  std::string form;
  std::vector<std::string> lemmas;
  for (const std::string& line : lines) {
    if (!parseLine(line, form, lemmas)) return RussianFormsStatus::Damaged;
    if (!read.form.empty() && !(read.form.back() < form)) return RussianFormsStatus::Damaged;
    read.form.push_back(form);
    read.lemmas.push_back(lemmas);
  }
  table = std::move(read);
  return RussianFormsStatus::Loaded;
}

const RussianForms& russianFormsBeside(const char* dictionaryPath) {
  static RussianForms table;
  static DataFileStamp stamp;
  keepDataFileBeside(dictionaryPath, kRussianFormsFile, stamp, table, loadRussianForms);
  return table;
}

const std::vector<std::string>* russianLemmasOf(const RussianForms& table,
                                                const std::string& folded) {
  auto at = std::lower_bound(table.form.begin(), table.form.end(), folded);
  if (at == table.form.end() || *at != folded) return nullptr;
  return &table.lemmas[static_cast<std::size_t>(at - table.form.begin())];
}
