// Prints the regular inflected forms of each "<word>\t<class>" line on stdin (class m, f, adj
// or verb) as "<word>\t<grammar>\t<form>" lines, for the oracle that compares them with
// Apertium's generator.
#include <iostream>
#include <string>

#include "hindi/inflection.h"

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string word = line.substr(0, tab), name = line.substr(tab + 1);
    HindiWordClass wordClass = HindiWordClass::Verb;
    if (name == "m") wordClass = HindiWordClass::MasculineNoun;
    if (name == "f") wordClass = HindiWordClass::FeminineNoun;
    if (name == "adj") wordClass = HindiWordClass::Adjective;
    for (const HindiForm& f : hindiInflectedForms(word, wordClass)) {
      std::cout << word << '\t' << f.grammar << '\t' << f.word << '\n';
    }
  }
  return 0;
}
