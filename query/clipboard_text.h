// Text between the clipboard (Unicode) and the program's single-byte world: a pasted or
// copied-elsewhere word turned into query-line bytes (Devanagari to the Hindi face's codes,
// Cyrillic to Windows-1251, Latin as it is), and a result line or a teacher pair turned back
// into Unicode for other programs. Free of any window code: the Win32 layer only moves
// UTF-16 in and out of the clipboard.
#pragma once
#include <cstdint>
#include <string>

// UTF-16 (the clipboard's CF_UNICODETEXT) to UTF-8 and back. A lone surrogate reads as
// U+FFFD; text stops at the first NUL.
std::string utf16ToUtf8(const std::u16string& text);
std::u16string utf8ToUtf16(const std::string& utf8);

// What a clipboard text is, and what the query line gets from it.
enum class ClipboardQuery : int {
  Ready,         // bytes hold the query; language says which search language it asks for
  Empty,         // nothing but spaces (or, when tracking, punctuation)
  NoLetters,     // tracking: no letter of any script
  MultiLine,     // a line break or another control character inside the text
  MixedScripts,  // Devanagari with Cyrillic or Latin letters: no one language reads both
  NotEncodable,  // a character the face or Windows-1251 has no code for
  TooLong,       // more than the 32 bytes of the query line after conversion
  TooManyWords,  // tracking: more than a short phrase
};

// Search language asked for by the text's script: Russian 0, Hindi 1, or keep the current.
constexpr int kKeepLanguage = -1;

struct ClipboardQueryText {
  ClipboardQuery outcome = ClipboardQuery::Empty;
  std::string bytes;  // the query bytes when Ready
  int language = kKeepLanguage;
  bool latin = false;  // Latin letters only: a transliteration when tracking
};

// Ctrl+V / Shift+Insert: spaces (tabs and line ends too) around the text are dropped.
ClipboardQueryText queryFromPastedText(const std::u16string& text);

// Clipboard tracking: spaces and punctuation around the text are dropped; one word or a
// phrase of at most kTrackedWords words with at least one letter is taken.
constexpr int kTrackedWords = 3;
ClipboardQueryText queryFromTrackedText(const std::u16string& text);

// Inserts bytes at the caret of a counted line of `capacity` bytes and moves the caret past
// them; false, with the line unchanged, when they do not fit.
bool insertQueryBytes(char* text, int32_t capacity, int32_t& length, int32_t& caret,
                      const std::string& bytes);

// A short English sentence for the status line about a refused paste (empty for Ready).
const char* clipboardQueryMessage(ClipboardQuery outcome);

// Line `line` (0 the first) of a result buffer whose lines end with LF (CR before it is
// dropped); false when the buffer has no such line or the line is empty.
bool resultLineAt(const char* buffer, int32_t size, int32_t line, std::string& out);

// What Ctrl+C puts on the clipboard: a result line as Unicode (headword and Hindi in
// Devanagari, Russian in Cyrillic), or a teacher pair as "Hindi<TAB>Russian" (rus.tea is
// Windows-1251 text).
std::u16string resultLineToUnicode(const std::string& line);
std::u16string teacherPairToUnicode(const std::string& hindi, const std::string& query);

// Which clipboard command a key press is: Ctrl+V and Shift+Insert paste, Ctrl+C and
// Ctrl+Insert copy. Virtual keys as the platform numbers them.
enum class ClipboardKey : int { None, Paste, Copy };
ClipboardKey clipboardKeyFor(int virtualKey, bool control, bool shift);
