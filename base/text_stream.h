// Buffered byte streams with the program's own text-mode translation, identical on every
// platform (the C runtime's text mode differs between Linux and Windows):
//  - reading turns each CR LF pair into one LF, passes a lone CR through, and treats byte
//    0x1A as the end of the file;
//  - writing stores each LF as CR LF.
// Files are opened in binary mode underneath; the translation is done here.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

class TextReader {
 public:
  explicit TextReader(const char* path);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Next translated byte (0..255), or -1 at the end of the file (or at a 0x1A byte).
  int get();
  // Fills up to n translated bytes; returns how many were stored (0 at the end).
  std::size_t read(char* out, std::size_t n);

 private:
  bool refill();
  std::FILE* file_ = nullptr;
  char buf_[1 << 16];
  std::size_t pos_ = 0, len_ = 0;
  bool eof_ = false;
};

class TextWriter {
 public:
  // mode: "w" creates or truncates, "a" appends (creating a missing file).
  TextWriter(const char* path, const char* mode);
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  void put(int byte);
  void write(const char* data, std::size_t n);
  // Flushes and closes; false when anything failed to reach the file (disk full, I/O error).
  bool close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// Whole files as raw bytes, no translation: the teacher lists rewrite their files through
// writeRawFile (false when any byte failed to reach the file); tests and tools use both.
bool readRawFile(const char* path, std::string& out);
bool writeRawFile(const char* path, const std::string& bytes);
