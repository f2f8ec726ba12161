#include "query/query_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/session_state.h"

namespace {

struct Event {
  int character, key;
};
Event type(int c) { return {c, 0}; }
Event key(int vk) { return {kCharKeyPress, vk}; }
// The Backspace key arrives as a key press followed by the backspace character.
std::vector<Event> backspace() { return {key(kVkBack), type(8)}; }

struct Line {
  // The 32-byte line sits between guard bytes that no edit may touch.
  char guardBefore[8];
  char text[kQueryCapacity];
  char guardAfter[8];
  int32_t length = 0, caret = 0;
  Line() {
    std::memset(guardBefore, 0x5A, sizeof guardBefore);
    std::memset(text, 0, sizeof text);
    std::memset(guardAfter, 0x5A, sizeof guardAfter);
  }
  void apply(const std::vector<Event>& events) {
    for (const Event& e : events)
      editQueryBytes(text, kQueryCapacity, length, caret, e.character, e.key);
  }
  std::string bytes() const { return std::string(text, length); }
  bool guardsIntact() const {
    for (char c : guardBefore)
      if (c != 0x5A) return false;
    for (char c : guardAfter)
      if (c != 0x5A) return false;
    return true;
  }
};

std::vector<Event> typed(const std::string& s) {
  std::vector<Event> out;
  for (unsigned char c : s) out.push_back(type(c));
  return out;
}

std::vector<Event> operator+(std::vector<Event> a, const std::vector<Event>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(EditQueryBytes, EditingTable) {
  struct Case {
    const char* name;
    std::vector<Event> events;
    std::string bytes;
    int32_t caret;
  } cases[] = {
      {"backspace on empty", backspace(), "", 0},
      {"delete on empty", {key(kVkDelete)}, "", 0},
      {"arrows and home/end on empty",
       {key(kVkLeft), key(kVkRight), key(kVkHome), key(kVkEnd)},
       "",
       0},
      {"typing appends", typed("abc"), "abc", 3},
      {"home then insert", typed("abc") + std::vector<Event>{key(kVkHome)} + typed("x"), "xabc", 1},
      {"end after home", typed("abc") + std::vector<Event>{key(kVkHome), key(kVkEnd)}, "abc", 3},
      {"left stops at 0",
       typed("ab") + std::vector<Event>{key(kVkLeft), key(kVkLeft), key(kVkLeft)}, "ab", 0},
      {"right stops at end",
       typed("ab") + std::vector<Event>{key(kVkHome), key(kVkRight), key(kVkRight), key(kVkRight)},
       "ab", 2},
      {"insert in the middle", typed("ac") + std::vector<Event>{key(kVkLeft)} + typed("b"), "abc",
       2},
      {"backspace mid-line",
       typed("abcd") + std::vector<Event>{key(kVkLeft), key(kVkLeft)} + backspace(), "acd", 1},
      {"delete mid-line",
       typed("abcd") + std::vector<Event>{key(kVkLeft), key(kVkLeft), key(kVkDelete)}, "abd", 2},
      {"backspace at caret 0", typed("ab") + std::vector<Event>{key(kVkHome)} + backspace(), "ab",
       0},
      {"delete at the end", typed("ab") + std::vector<Event>{key(kVkDelete)}, "ab", 2},
      {"ctrl+y empties", typed("abc") + std::vector<Event>{key(kVkLeft), type(kCharCtrlY)}, "", 0},
      {"typed after ctrl+y", typed("abc") + std::vector<Event>{type(kCharCtrlY)} + typed("z"), "z",
       1},
      // Characters whose codes equal editing keys are only inserted.
      {"full stop, dollar, hash, percent, apostrophe", typed(".$#%'"), ".$#%'", 5},
      {"delete key deletes", typed("a.") + std::vector<Event>{key(kVkLeft), key(kVkDelete)}, "a",
       1},
      {"enter, escape and key-press code not inserted",
       {type(13), type(27), type(kCharKeyPress)},
       "",
       0},
      {"tab inserted, other control codes not",
       {type(2), type(9), type(22), type(26), type(31), type(0x101)},
       "\t",
       1},
      {"space and above inserted", {type(31), type(32), type(0x7F)}, " \x7F", 2},
      {"upper-half bytes inserted", {type(0xE0), type(0xFF), type(0x1C1)}, "\xE0\xFF\xC1", 3},
      {"other keys do nothing", typed("ab") + std::vector<Event>{key(0x41), key(0x26), key(0x70)},
       "ab", 2},
  };
  for (const Case& c : cases) {
    Line line;
    line.apply(c.events);
    EXPECT_EQ(line.bytes(), c.bytes) << c.name;
    EXPECT_EQ(line.caret, c.caret) << c.name;
  }
}

TEST(EditQueryBytes, FullLineDropsCharactersAndStaysInside) {
  const std::string full(kQueryCapacity, 'a');
  struct Case {
    const char* name;
    std::vector<Event> extra;
    std::string bytes;
    int32_t caret;
  } cases[] = {
      {"at the end", typed("b"), full, kQueryCapacity},
      {"in the middle", std::vector<Event>{key(kVkHome), key(kVkRight)} + typed("bc"), full, 1},
      {"room again after backspace", backspace() + typed("b"),
       std::string(kQueryCapacity - 1, 'a') + "b", kQueryCapacity},
      {"ctrl+y still empties", {type(kCharCtrlY)}, "", 0},
  };
  for (const Case& c : cases) {
    Line line;
    line.apply(typed(full) + c.extra);
    EXPECT_EQ(line.bytes(), c.bytes) << c.name;
    EXPECT_EQ(line.caret, c.caret) << c.name;
    EXPECT_TRUE(line.guardsIntact()) << c.name;
  }
}

TEST(EditQueryBytes, OutOfRangeRecordIsPulledBackBeforeUse) {
  Line line;
  line.length = 40;  // more than the line holds
  line.caret = 50;
  line.apply(typed("x"));
  EXPECT_EQ(line.length, kQueryCapacity);
  EXPECT_EQ(line.caret, kQueryCapacity);
  EXPECT_TRUE(line.guardsIntact());
  line.length = -3;
  line.caret = -1;
  line.apply(typed("y"));
  EXPECT_EQ(line.bytes(), "y");
  EXPECT_EQ(line.caret, 1);
}

TEST(EditQueryLine, EditsTheSessionLine) {
  const SessionState saved = session;
  session.queryLength = 0;
  session.caretIndex = 0;
  editQueryLine('k', 0);
  editQueryLine('m', 0);
  editQueryLine(kCharKeyPress, kVkHome);
  EXPECT_EQ(std::string(session.queryText, session.queryLength), "km");
  EXPECT_EQ(session.caretIndex, 0);
  session = saved;
}

TEST(CaretIndexForX, MapsClicksToCharacterBoundaries) {
  // 8 pixels a byte; the text starts at x 15.
  const PrefixWidth fixed = [](const char*, int n) { return 8 * n; };
  // Proportional: 'w' is wide, 'i' narrow.
  const PrefixWidth proportional = [](const char* s, int n) {
    int w = 0;
    for (int i = 0; i < n; ++i) w += s[i] == 'w' ? 14 : s[i] == 'i' ? 3 : 8;
    return w;
  };
  struct Case {
    const char* text;
    const PrefixWidth* width;
    int x;
    int32_t caret;
  } cases[] = {
      {"", &fixed, 100, 0},
      {"abcd", &fixed, 0, 0},
      {"abcd", &fixed, 15, 0},
      {"abcd", &fixed, 19, 0},  // left half of the first byte
      {"abcd", &fixed, 22, 0},  // right half of the first byte
      {"abcd", &fixed, 23, 1},  // exactly on its right edge
      {"abcd", &fixed, 40, 3},
      {"abcd", &fixed, 47, 4},    // on the right edge of the last byte
      {"abcd", &fixed, 1000, 4},  // right of the end
      {"wiw", &proportional, 15 + 14, 1},
      {"wiw", &proportional, 15 + 16, 1},
      {"wiw", &proportional, 15 + 17, 2},
      {"wiw", &proportional, 15 + 30, 2},
      {"wiw", &proportional, 15 + 31, 3},
  };
  for (const Case& c : cases) {
    const int32_t length = static_cast<int32_t>(std::strlen(c.text));
    EXPECT_EQ(caretIndexForX(c.text, length, c.x, *c.width), c.caret) << c.text << " x=" << c.x;
  }
}

TEST(QueryLineGeometry, CompactFieldIs40HigherAnd50Narrower) {
  const QueryLineGeometry full = queryLineGeometry(0, 520);
  const int fullValues[] = {full.frameLeft, full.frameTop, full.frameRight, full.frameBottom,
                            full.fieldLeft, full.fieldTop, full.fieldRight, full.fieldBottom,
                            full.textX,     full.textY,    full.caretTop,   full.caretBottom};
  const int expectedFull[] = {10, 50, 420, 75, 13, 53, 417, 72, 15, 52, 55, 70};
  const QueryLineGeometry compact = queryLineGeometry(1, 520);
  const int compactValues[] = {compact.frameLeft,   compact.frameTop,    compact.frameRight,
                               compact.frameBottom, compact.fieldLeft,   compact.fieldTop,
                               compact.fieldRight,  compact.fieldBottom, compact.textX,
                               compact.textY,       compact.caretTop,    compact.caretBottom};
  const int expectedCompact[] = {10, 10, 370, 35, 13, 13, 367, 32, 15, 12, 15, 30};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(fullValues[i], expectedFull[i]) << "full, value " << i;
    EXPECT_EQ(compactValues[i], expectedCompact[i]) << "compact, value " << i;
  }
}

}  // namespace
