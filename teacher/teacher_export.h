// The teacher lists read as pairs, for other programs: one pair as Unicode on the clipboard,
// every pair as UTF-8 tab-separated lines that flashcard programs (Anki and the like) import.
// Nothing here writes the lists.
#pragma once
#include <map>
#include <string>
#include <vector>

// The lines of a list file read in text mode (CR LF as LF, 0x1A ends it); a last line without
// its line end counts. False when the file cannot be opened.
bool readTeacherListLines(const std::string& path, std::vector<std::string>& lines);

// Line `line` of hin.tea and of rus.tea in folder ("" the working directory); false when
// either list cannot be opened or is shorter.
bool teacherPairAt(const char* folder, int line, std::string& hindi, std::string& query);

// Fills the entries of `wanted` (headwords, the face's codes, as keys) with the first
// dictionary line whose first token is that headword; keys not found keep an empty value.
// Reads the dictionary once, line by line. False when it cannot be opened.
bool findHeadwordEntries(const char* dictionaryPath, std::map<std::string, std::string>& wanted);

// The header of an export: Anki's tab separator line and the names of the columns.
extern const char kFlashcardHeader[];

// One exported line, ending with LF: the headword in Devanagari, the Russian side as
// Windows-1251 text (Latin stays Latin; lists saved by earlier versions after a Hindi search
// hold the face's codes there, which cannot be told from Latin and come out as they are),
// and, when entry is given, the transliteration in the entry's
// parentheses and its first Russian translation (up to the first comma or semicolon); empty
// columns otherwise. Tabs and line ends inside a field become spaces.
std::string flashcardLine(const std::string& hindi, const std::string& query,
                          const std::string* entry);
