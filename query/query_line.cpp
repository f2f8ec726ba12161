#include "query/query_line.h"

#include <cstring>

#include "base/session_state.h"

namespace {

void removeAt(char* text, int32_t& length, int32_t index) {
  std::memmove(text + index, text + index + 1, static_cast<std::size_t>(length - index - 1));
  --length;
}

// Control codes (Ctrl+letters, Enter, Escape, the backspace character, the key-press code 1)
// are never stored: no dictionary line holds them, so a search for them finds nothing. Tab is
// the one control byte that dictionary lines do hold.
bool isInsertable(int character) {
  const int byte = character & 0xFF;
  return byte >= 32 || byte == '\t';
}

}  // namespace

int editQueryBytes(char* text, int32_t capacity, int32_t& length, int32_t& caret, int character,
                   int virtualKey) {
  // A record that broke the invariant is pulled back into range before it is used.
  if (length < 0) length = 0;
  if (length > capacity) length = capacity;
  if (caret < 0) caret = 0;
  if (caret > length) caret = length;

  // A character typed into a full line is dropped: the line has no room past `capacity`.
  if (isInsertable(character) && length < capacity) {
    std::memmove(text + caret + 1, text + caret, static_cast<std::size_t>(length - caret));
    text[caret] = static_cast<char>(character & 0xFF);
    ++length;
    ++caret;
  }

  switch (virtualKey) {
    case 0:
      if (character == kCharCtrlY) length = caret = 0;
      break;
    case kVkHome: caret = 0; break;
    case kVkEnd: caret = length; break;
    case kVkLeft:
      if (caret > 0) --caret;
      break;
    case kVkRight:
      if (caret < length) ++caret;
      break;
    case kVkDelete:
      if (caret < length) removeAt(text, length, caret);
      break;
    case kVkBack:
      if (caret > 0) {
        --caret;
        removeAt(text, length, caret);
      }
      break;
    default: break;
  }
  return 1;
}

int editQueryLine(SessionState& state, int character, int virtualKey) {
  return editQueryBytes(state.queryText, kQueryCapacity, state.queryLength, state.caretIndex,
                        character, virtualKey);
}

int editQueryLine(int character, int virtualKey) {
  return editQueryLine(session, character, virtualKey);
}

int32_t caretIndexForX(const char* text, int32_t length, int x, const PrefixWidth& width) {
  if (length <= 0) return 0;
  if (length > kQueryCapacity) length = kQueryCapacity;
  for (int32_t n = 1; n <= length; ++n) {
    if (width(text, n) > x - kQueryTextMargin) return n - 1;
  }
  return length;
}

QueryLineGeometry queryLineGeometry(int32_t headerStyle, int32_t clientWidth) {
  const int up = 40 * headerStyle;  // the compact strip sits 40 pixels higher
  const int right = clientWidth - 100 - 50 * headerStyle;
  QueryLineGeometry g;
  g.frameLeft = 10;
  g.frameTop = 50 - up;
  g.frameRight = right;
  g.frameBottom = 75 - up;
  g.fieldLeft = 13;
  g.fieldTop = 53 - up;
  g.fieldRight = right - 3;
  g.fieldBottom = 72 - up;
  g.textX = kQueryTextMargin;
  g.textY = 52 - up;
  g.caretTop = 55 - up;
  g.caretBottom = 70 - up;
  return g;
}
