#include "search/common_words.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr char kHeader[] = "vartolik common words 1";
// Far above the real list (tens of KB): a bigger file is not ours.
constexpr long kLargestList = 4L << 20;

bool readWhole(const char* path, std::string& text, bool& missing) {
  std::FILE* in = std::fopen(path, "rb");
  missing = in == nullptr;
  if (!in) return false;
  bool ok = std::fseek(in, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(in) : -1;
  ok = ok && size >= 0 && size <= kLargestList && std::fseek(in, 0, SEEK_SET) == 0;
  if (ok) {
    text.resize(static_cast<std::size_t>(size));
    ok = std::fread(&text[0], 1, text.size(), in) == text.size();
  }
  std::fclose(in);
  return ok;
}

// A headword is one token of printable bytes: no space, control byte or line end.
bool isHeadword(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return static_cast<unsigned char>(c) > ' ' && c != 0x7F;
  });
}

}  // namespace

CommonWordsStatus loadCommonWords(const char* path, CommonWords& list) {
  list = CommonWords();
  std::string text;
  bool missing = false;
  if (!readWhole(path, text, missing))
    return missing ? CommonWordsStatus::Missing : CommonWordsStatus::Damaged;
  CommonWords read;
  std::size_t start = 0;
  bool header = true;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (header) {
      if (line != kHeader) return CommonWordsStatus::Damaged;
      header = false;
      continue;
    }
    if (!isHeadword(line) || (!read.word.empty() && !(read.word.back() < line)))
      return CommonWordsStatus::Damaged;
    read.word.push_back(line);
  }
  if (header) return CommonWordsStatus::Damaged;
  list = std::move(read);
  return CommonWordsStatus::Loaded;
}

const CommonWords& commonWordsBeside(const char* dictionaryPath) {
  static CommonWords list;
  static std::string loadedPath;
  static std::uintmax_t loadedSize = 0;
  static std::filesystem::file_time_type loadedTime;
  const std::filesystem::path path =
      std::filesystem::path(dictionaryPath).parent_path() / kCommonWordsFile;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  const auto time =
      error ? std::filesystem::file_time_type() : std::filesystem::last_write_time(path, error);
  if (error) {
    list = CommonWords();
    loadedPath.clear();
    return list;
  }
  if (path.string() != loadedPath || size != loadedSize || time != loadedTime) {
    loadCommonWords(path.string().c_str(), list);
    loadedPath = path.string();
    loadedSize = size;
    loadedTime = time;
  }
  return list;
}

bool isCommonWord(const CommonWords& list, const char* headword, std::size_t n) {
  const std::string word(headword, n);
  return std::binary_search(list.word.begin(), list.word.end(), word);
}
