// Turning result lines into terminal text.
#pragma once
#include <string>

// One line of a search result (no line end) for a UTF-8 terminal: tokens of Russian text are
// converted from Windows-1251; the headword and the tokens the result list draws as Hindi
// (any byte of its Hindi class) are left as their font codes.
std::string resultLineForTerminal(const std::string& line);
