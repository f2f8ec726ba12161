#include "search/data_file.h"

#include <cstdio>
#include <system_error>

namespace {

bool readWhole(const char* path, long largest, std::string& text, bool& missing) {
  std::FILE* in = std::fopen(path, "rb");
  missing = in == nullptr;
  if (!in) return false;
  bool ok = std::fseek(in, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(in) : -1;
  ok = ok && size >= 0 && size <= largest && std::fseek(in, 0, SEEK_SET) == 0;
  if (ok) {
    text.resize(static_cast<std::size_t>(size));
    ok = std::fread(&text[0], 1, text.size(), in) == text.size();
  }
  std::fclose(in);
  return ok;
}

}  // namespace

DataFileStatus readDataFileLines(const char* path, const char* header, long largest,
                                 std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  bool missing = false;
  if (!readWhole(path, largest, text, missing))
    return missing ? DataFileStatus::Missing : DataFileStatus::Damaged;
  bool headerSeen = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (!headerSeen) {
      if (line != header) return DataFileStatus::Damaged;
      headerSeen = true;
      continue;
    }
    lines.push_back(std::move(line));
  }
  return headerSeen ? DataFileStatus::Loaded : DataFileStatus::Damaged;
}

DataFileChange dataFileBeside(const char* dictionaryPath, const char* name, DataFileStamp& stamp,
                              std::string& path) {
  const std::filesystem::path file = std::filesystem::path(dictionaryPath).parent_path() / name;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  const auto time =
      error ? std::filesystem::file_time_type() : std::filesystem::last_write_time(file, error);
  if (error) {
    stamp = DataFileStamp();
    return DataFileChange::Missing;
  }
  path = file.string();
  if (path == stamp.path && size == stamp.size && time == stamp.time) return DataFileChange::Same;
  stamp.path = path;
  stamp.size = size;
  stamp.time = time;
  return DataFileChange::Changed;
}
