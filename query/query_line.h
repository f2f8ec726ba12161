// The query line: the one-line field in which the user types the word to look up. Its
// bytes, length and caret are SessionState fields; this is the editing and the mapping of
// a click to a caret position, both free of any window code.
#pragma once
#include <cstdint>
#include <functional>

// Virtual keys the editor acts on (the values of the platform's VK_ codes).
constexpr int kVkBack = 0x08;
constexpr int kVkEnd = 0x23;
constexpr int kVkHome = 0x24;
constexpr int kVkLeft = 0x25;
constexpr int kVkRight = 0x27;
constexpr int kVkDelete = 0x2E;

// The editor inserts no code below 32 but Tab: among them 1 marks a key press, 8 is the
// backspace character that follows the Backspace key, 13 and 27 are Enter and Escape
// (handled by the caller) and 25 is Ctrl+Y.
constexpr int kCharKeyPress = 1;
constexpr int kCharCtrlY = 25;

// Left margin at which the text of the field is written, in client pixels.
constexpr int kQueryTextMargin = 15;

// One edit of a counted line of `capacity` bytes: first inserts `character` at the caret
// (unless its low byte is a control code other than Tab, or the line is full), then acts on
// `virtualKey` (0 for a character message, where only Ctrl+Y acts: it empties the line). Keeps
// 0 <= caret <= length <= capacity. Returns 1.
int editQueryBytes(char* text, int32_t capacity, int32_t& length, int32_t& caret, int character,
                   int virtualKey);

// The same edit applied to a session's query line (the process-wide one by default).
struct SessionState;
int editQueryLine(SessionState& state, int character, int virtualKey);
int editQueryLine(int character, int virtualKey);

// Width in pixels of the first `count` bytes of `bytes`, in the font the line is drawn with.
using PrefixWidth = std::function<int(const char* bytes, int count)>;

// Caret index for a click at client x: the number of leading bytes whose prefix is no
// wider than x - 15, i.e. the caret goes before the first character whose right edge lies
// right of the click. 0 for an empty line.
int32_t caretIndexForX(const char* text, int32_t length, int x, const PrefixWidth& width);

// Where the field is drawn, for a header style (0 full, 1 compact) and a client width.
struct QueryLineGeometry {
  int frameLeft, frameTop, frameRight, frameBottom;  // the sunken frame
  int fieldLeft, fieldTop, fieldRight, fieldBottom;  // the filled field inside it
  int textX, textY;                                  // top-left of the text
  int caretTop, caretBottom;                         // caret line, bottom end not painted
};
QueryLineGeometry queryLineGeometry(int32_t headerStyle, int32_t clientWidth);
