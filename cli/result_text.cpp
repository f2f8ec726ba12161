#include "cli/result_text.h"

#include "hindi/devanagari.h"

std::string resultLineForTerminal(const std::string& line) { return decodeDictionaryLine(line); }
