// Runs the core's Devanagari conversion over lines on stdin, for comparison with the Python
// codec. Default: each line is UTF-8 text; prints "<codes in hex>\t<codes decoded>" or
// "!\t<error>". With --decode each line is codes in hex; prints them decoded.
#include "hindi/devanagari.h"

#include <cstdio>
#include <iostream>
#include <string>

static std::string hex(const std::string& s) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

static std::string unhex(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i + 1 < s.size(); i += 2)
    out += static_cast<char>(std::stoi(s.substr(i, 2), nullptr, 16));
  return out;
}

int main(int argc, char** argv) {
  bool decode = argc > 1 && std::string(argv[1]) == "--decode";
  std::string line;
  while (std::getline(std::cin, line)) {
    if (decode) {
      std::cout << codesToDevanagari(unhex(line)) << '\n';
      continue;
    }
    std::string codes;
    DevanagariError e;
    if (devanagariToCodes(line, codes, e))
      std::cout << hex(codes) << '\t' << codesToDevanagari(codes) << '\n';
    else
      std::cout << "!\t" << describeDevanagariError(e) << '\n';
  }
  return 0;
}
