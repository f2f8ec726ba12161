// Runs the Phonetic search over DICTIONARY for each UTF-8 query on stdin, the way vartolik-cli
// takes it (Devanagari to the face's codes with Hindi as the search language, Cyrillic to
// Windows-1251), and prints "<found>\t<line numbers, comma-separated>" or "!\t<why>".
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "base/session_state.h"
#include "hindi/devanagari.h"
#include "search/phonetic.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: phonetic_dump DICTIONARY < queries\n");
    return 2;
  }
  std::string query;
  while (std::getline(std::cin, query)) {
    std::string bytes;
    DevanagariError error;
    if (!encodeDictionaryLine(query, bytes, error)) {
      std::cout << "!\t" << describeDevanagariError(error) << '\n';
      continue;
    }
    if (bytes.size() > static_cast<std::size_t>(kQueryCapacity)) {
      std::cout << "!\ttoo long\n";
      continue;
    }
    bool devanagari =
        query.find("\xE0\xA4") != std::string::npos || query.find("\xE0\xA5") != std::string::npos;
    MatchList matches;
    if (!findPhoneticMatches(argv[1], bytes.data(), static_cast<int>(bytes.size()),
                             devanagari ? 1 : 0, matches)) {
      std::cerr << "cannot open " << argv[1] << '\n';
      return 2;
    }
    std::cout << matches.count << '\t';
    for (int i = 0; i < matches.count; ++i) std::cout << (i ? "," : "") << matches.line[i];
    std::cout << '\n';
  }
  return 0;
}
