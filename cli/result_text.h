// Turning result lines into terminal text.
#pragma once
#include <string>

// One line of a search result (no line end) for a UTF-8 terminal: tokens of Russian text are
// converted from Windows-1251, the headword and the tokens the result list draws as Hindi from
// the Hindi face's codes to Devanagari.
std::string resultLineForTerminal(const std::string& line);
