// libFuzzer target: sequences of edits of the query line (characters and keys, any code) on a
// line of any capacity, against a plain model of a caret in a string. Checked after every
// edit: 0 <= caret <= length <= capacity, nothing written past the capacity, and the text and
// caret are the model's. Which character codes the editor takes is its own rule (only 1, 8,
// 13 and 27 are never taken, and nothing goes into a full line); a code it takes goes in at
// the caret and moves no other byte. Then Backspace, Delete, Home, End, Left, Right and
// Ctrl+Y do what they do in any field.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "query/query_line.h"

namespace {

struct Line {
  std::string text;
  int32_t caret = 0;
  bool operator==(const Line& o) const { return text == o.text && caret == o.caret; }
};

Line modelEdit(Line line, int character, int key, bool inserts) {
  if (inserts)
    line.text.insert(static_cast<std::size_t>(line.caret++), 1, static_cast<char>(character));
  const int32_t length = static_cast<int32_t>(line.text.size());
  switch (key) {
    case kVkBack:
      if (line.caret > 0) line.text.erase(static_cast<std::size_t>(--line.caret), 1);
      break;
    case kVkDelete:
      if (line.caret < length) line.text.erase(static_cast<std::size_t>(line.caret), 1);
      break;
    case kVkHome: line.caret = 0; break;
    case kVkEnd: line.caret = length; break;
    case kVkLeft: line.caret -= line.caret > 0; break;
    case kVkRight: line.caret += line.caret < length; break;
    case 0:
      if (character == kCharCtrlY) line = Line();
      break;
    default: break;
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int32_t capacity = input.byte() % 40;
  std::vector<char> text(static_cast<std::size_t>(capacity) + 1, '\x5A');  // one guard byte
  int32_t length = 0, caret = 0;
  Line model;
  static const int kKeys[] = {0, 0, 0, 0, kVkBack, kVkEnd, kVkHome, kVkLeft, kVkRight, kVkDelete};
  while (!input.empty()) {
    const int character = input.byte();
    const int key = kKeys[input.byte() % (sizeof kKeys / sizeof kKeys[0])];
    editQueryBytes(text.data(), capacity, length, caret, character, key);
    if (!(0 <= caret && caret <= length && length <= capacity)) {
      fuzzFail("query line", "caret or length out of range");
    }
    if (text[static_cast<std::size_t>(capacity)] != '\x5A')
      fuzzFail("query line", "wrote past the capacity");
    Line got{std::string(text.data(), static_cast<std::size_t>(length)), caret};
    const bool mayInsert = character != kCharKeyPress && character != 8 && character != 13 &&
                           character != 27 && static_cast<int32_t>(model.text.size()) < capacity;
    if (!(got == modelEdit(model, character, key, false)) &&
        !(mayInsert && got == modelEdit(model, character, key, true))) {
      fuzzFail("query line", "differs from the model after character " + std::to_string(character) +
                                 " key " + std::to_string(key));
    }
    model = got;
  }
  return 0;
}
