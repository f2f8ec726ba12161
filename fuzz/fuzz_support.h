// Helpers shared by the libFuzzer targets: reading an input as a stream of choices, a scratch
// folder per process, and a failure that names what broke.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

// Takes bytes from the front of a fuzzer input; past its end every take gives 0.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Up to n bytes (fewer at the end).
  std::string bytes(std::size_t n) {
    n = std::min(n, size_ - std::min(pos_, size_));
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  std::string rest() { return bytes(size_); }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A folder of this process's own under the system's temporary folder.
inline std::string fuzzScratchFolder() {
  static const std::string folder = [] {
    std::random_device rd;
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("vartolik-fuzz-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(p);
    return p.string();
  }();
  return folder;
}

[[noreturn]] inline void fuzzFail(const char* target, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", target, what.c_str());
  std::abort();
}
