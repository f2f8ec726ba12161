#include "search/common_words.h"

#include <algorithm>

#include "search/data_file.h"

namespace {

constexpr char kHeader[] = "vartolik common words 1";
// Far above the real list (tens of KB): a bigger file is not ours.
constexpr long kLargestList = 4L << 20;

// A headword is one token of printable bytes: no space, control byte or line end.
bool isHeadword(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return static_cast<unsigned char>(c) > ' ' && c != 0x7F;
  });
}

}  // namespace

CommonWordsStatus loadCommonWords(const char* path, CommonWords& list) {
  list = CommonWords();
  std::vector<std::string> lines;
  const DataFileStatus status = readDataFileLines(path, kHeader, kLargestList, lines);
  if (status == DataFileStatus::Missing) return CommonWordsStatus::Missing;
  if (status == DataFileStatus::Damaged) return CommonWordsStatus::Damaged;
  CommonWords read;
  for (std::string& line : lines) {
    if (!isHeadword(line) || (!read.word.empty() && !(read.word.back() < line)))
      return CommonWordsStatus::Damaged;
    read.word.push_back(std::move(line));
  }
  list = std::move(read);
  return CommonWordsStatus::Loaded;
}

const CommonWords& commonWordsBeside(const char* dictionaryPath) {
  static CommonWords list;
  static DataFileStamp stamp;
  keepDataFileBeside(dictionaryPath, kCommonWordsFile, stamp, list, loadCommonWords);
  return list;
}

bool isCommonWord(const CommonWords& list, const char* headword, std::size_t n) {
  const std::string word(headword, n);
  return std::binary_search(list.word.begin(), list.word.end(), word);
}
