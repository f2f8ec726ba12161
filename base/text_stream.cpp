#include "base/text_stream.h"

#include <cstring>

TextReader::TextReader(const char* path) : file_(std::fopen(path, "rb")) {}

TextReader::~TextReader() {
  if (file_) std::fclose(file_);
}

bool TextReader::refill() {
  if (eof_ || !file_) return false;
  len_ = std::fread(buf_, 1, sizeof buf_, file_);
  pos_ = 0;
  if (len_ == 0) {
    eof_ = true;
    return false;
  }
  return true;
}

int TextReader::get() {
  if (pos_ == len_ && !refill()) return -1;
  unsigned char c = static_cast<unsigned char>(buf_[pos_++]);
  if (c == 0x1A) {
    eof_ = true;
    pos_ = len_ = 0;
    return -1;
  }
  if (c == '\r') {
    if (pos_ == len_ && !refill()) return '\r';
    if (buf_[pos_] == '\n') {
      ++pos_;
      return '\n';
    }
  }
  return c;
}

std::size_t TextReader::read(char* out, std::size_t n) {
  std::size_t got = 0;
  while (got < n) {
    if (pos_ == len_ && !refill()) break;
    // Copy the run up to the next CR or 0x1A in one go; those two need a look.
    const char* start = buf_ + pos_;
    std::size_t avail = len_ - pos_;
    if (avail > n - got) avail = n - got;
    std::size_t run = 0;
    while (run < avail && start[run] != '\r' && start[run] != 0x1A) ++run;
    std::memcpy(out + got, start, run);
    got += run;
    pos_ += run;
    if (run < avail) {
      int c = get();
      if (c < 0) break;
      out[got++] = static_cast<char>(c);
    }
  }
  return got;
}

TextWriter::TextWriter(const char* path, const char* mode)
    : file_(std::fopen(path, mode[0] == 'a' ? "ab" : "wb")) {}

TextWriter::~TextWriter() { close(); }

void TextWriter::put(int byte) {
  if (!file_) return;
  if (byte == '\n' && std::fputc('\r', file_) == EOF) failed_ = true;
  if (std::fputc(byte, file_) == EOF) failed_ = true;
}

void TextWriter::write(const char* data, std::size_t n) {
  if (!file_) return;
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (data[i] == '\n') {
      if (i > start && std::fwrite(data + start, 1, i - start, file_) != i - start) failed_ = true;
      if (std::fwrite("\r\n", 1, 2, file_) != 2) failed_ = true;
      start = i + 1;
    }
  }
  if (n > start && std::fwrite(data + start, 1, n - start, file_) != n - start) failed_ = true;
}

bool TextWriter::close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

bool readRawFile(const char* path, std::string& out) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  out.clear();
  char buf[1 << 16];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool writeRawFile(const char* path, const std::string& bytes) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}
