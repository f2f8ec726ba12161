#include <filesystem>
#include <system_error>

#include "cli/platform.h"

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void prepareStandardStreams() {}

std::string installedDictionaryPath() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path().parent_path() / "share" / "vartolik" / "dictiona.dat").string();
}
