#include "search/russian_forms.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr char kHeader[] = "vartolik russian forms 1";
// Far above the real table (a few hundred KB): a bigger file is not ours.
constexpr long kLargestTable = 16L << 20;

bool isLowerRussian(unsigned char b) { return b >= 0xE0; }

bool readWhole(const char* path, std::string& text, bool& missing) {
  std::FILE* in = std::fopen(path, "rb");
  missing = in == nullptr;
  if (!in) return false;
  bool ok = std::fseek(in, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(in) : -1;
  ok = ok && size >= 0 && size <= kLargestTable && std::fseek(in, 0, SEEK_SET) == 0;
  if (ok) {
    text.resize(static_cast<std::size_t>(size));
    ok = std::fread(&text[0], 1, text.size(), in) == text.size();
  }
  std::fclose(in);
  return ok;
}

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
  std::string text;
  bool missing = false;
  if (!readWhole(path, text, missing))
    return missing ? RussianFormsStatus::Missing : RussianFormsStatus::Damaged;
  RussianForms read;
  std::size_t start = 0;
  bool header = true;
  std::string form;
  std::vector<std::string> lemmas;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (header) {
      if (line != kHeader) return RussianFormsStatus::Damaged;
      header = false;
      continue;
    }
    if (!parseLine(line, form, lemmas)) return RussianFormsStatus::Damaged;
    if (!read.form.empty() && !(read.form.back() < form)) return RussianFormsStatus::Damaged;
    read.form.push_back(form);
    read.lemmas.push_back(lemmas);
  }
  if (header) return RussianFormsStatus::Damaged;
  table = std::move(read);
  return RussianFormsStatus::Loaded;
}

const RussianForms& russianFormsBeside(const char* dictionaryPath) {
  static RussianForms table;
  static std::string loadedPath;
  static std::uintmax_t loadedSize = 0;
  static std::filesystem::file_time_type loadedTime;
  const std::filesystem::path path =
      std::filesystem::path(dictionaryPath).parent_path() / kRussianFormsFile;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  const auto time =
      error ? std::filesystem::file_time_type() : std::filesystem::last_write_time(path, error);
  if (error) {
    table = RussianForms();
    loadedPath.clear();
    return table;
  }
  if (path.string() != loadedPath || size != loadedSize || time != loadedTime) {
    loadRussianForms(path.string().c_str(), table);
    loadedPath = path.string();
    loadedSize = size;
    loadedTime = time;
  }
  return table;
}

const std::vector<std::string>* russianLemmasOf(const RussianForms& table,
                                                const std::string& folded) {
  auto at = std::lower_bound(table.form.begin(), table.form.end(), folded);
  if (at == table.form.end() || *at != folded) return nullptr;
  return &table.lemmas[static_cast<std::size_t>(at - table.form.begin())];
}
