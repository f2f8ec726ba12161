// The small data files Phonetic reads beside dictiona.dat (russform.dat, common.dat): a header
// line naming the format, then one record a line. Each is read whole, checked, and kept while the
// file on disk stays the same; a missing or damaged file leaves its table empty.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum class DataFileStatus { Loaded, Missing, Damaged };

// The lines after the header of a data file (a CR before each LF dropped). Missing when it
// cannot be opened; Damaged when it is over `largest` bytes, cannot be read, or does not open
// with the header line.
DataFileStatus readDataFileLines(const char* path, const char* header, long largest,
                                 std::vector<std::string>& lines);

// What a table read from the file `name` beside a dictionary was read from.
struct DataFileStamp {
  std::string path;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time;
};

enum class DataFileChange { Missing, Changed, Same };

// Whether the file `name` beside the dictionary is missing, differs from the stamp (which is
// then set to it, `path` to its path) or is the one the table was read from.
DataFileChange dataFileBeside(const char* dictionaryPath, const char* name, DataFileStamp& stamp,
                              std::string& path);

// Keeps `table` as the file `name` beside the dictionary holds it: emptied when the file is
// missing, read again with `load` when it changed since `stamp`, left alone otherwise.
template <typename Table, typename Status>
void keepDataFileBeside(const char* dictionaryPath, const char* name, DataFileStamp& stamp,
                        Table& table, Status (*load)(const char*, Table&)) {
  std::string path;
  switch (dataFileBeside(dictionaryPath, name, stamp, path)) {
    case DataFileChange::Missing: table = Table(); break;
    case DataFileChange::Changed: load(path.c_str(), table); break;
    case DataFileChange::Same: break;
  }
}
