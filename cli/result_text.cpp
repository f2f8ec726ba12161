#include "cli/result_text.h"

#include "hindi/cp1251.h"

namespace {

// The bytes the result list draws in the Devanagari face: 0x40 to 0xBF but for I [ ] ~ and
// the Windows-1251 letters and sign at 0xA8, 0xB0, 0xB8.
bool drawnAsHindi(unsigned char b) {
  return b >= 0x40 && b <= 0xBF && b != 0x49 && b != 0x5B && b != 0x5D && b != 0x7E &&
         b != 0xA8 && b != 0xB0 && b != 0xB8;
}

}  // namespace

std::string resultLineForTerminal(const std::string& line) {
  std::string out;
  std::size_t start = 0;
  bool first = true;
  while (start <= line.size()) {
    std::size_t space = line.find(' ', start);
    if (space == std::string::npos) space = line.size();
    std::string token = line.substr(start, space - start);
    bool hindi = first;
    for (unsigned char c : token) hindi = hindi || drawnAsHindi(c);
    out += hindi ? token : cp1251ToUtf8(token);
    if (space < line.size()) out += ' ';
    first = false;
    start = space + 1;
  }
  return out;
}
