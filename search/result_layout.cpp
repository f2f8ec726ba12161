#include "search/result_layout.h"

#include <algorithm>

bool isHindiByte(unsigned char b) {
  if (b < 0x40 || b > 0xBF) return false;
  switch (b) {
    case 0x49:
    case 0x5B:
    case 0x5D:
    case 0x7E:
    case 0xA8:
    case 0xB0:
    case 0xB8: return false;
    default: return true;
  }
}

int32_t resultListTop(int32_t headerStyle) { return 130 - 79 * headerStyle; }

int32_t resultListBottomLimit(int32_t headerStyle, int32_t clientHeight) {
  return clientHeight - 85 + 48 * headerStyle;
}

namespace {

constexpr int kParenStep = 7;    // room taken by a note's parenthesis
constexpr int kTokenGap = 15;    // gap after each token
constexpr int kTextOffset = 10;  // tokens are written 10 pixels right of the pen

struct Walk {
  const ResultLayoutInput& in;
  const RunWidth& width;
  std::vector<TextRun>& runs;
  int32_t end;  // offset of the buffer's last byte: reading it ends the walk
  int32_t pos = 0;
  TokenState state = Headword;
  int x = 0, y = 0;
  int32_t tokenLength = 0;

  // Next byte, or -1 once the byte read is the buffer's last or beyond it.
  int read() {
    const int32_t at = pos++;
    if (at >= end) return -1;
    return static_cast<unsigned char>(in.buffer[at]);
  }

  void emit(ResultFont font, Colour colour, int atX, const char* bytes, int count) {
    if (count > 0) runs.push_back(TextRun{font, colour, atX, y, std::string(bytes, count)});
  }

  static ResultFont fontOf(TokenState s) {
    switch (s) {
      case Headword: return ResultFont::Headword;
      case HindiText: return ResultFont::Hindi;
      case Note:
      case NoteEnd: return ResultFont::Note;
      default: return ResultFont::Ui;
    }
  }

  static Colour colourOf(TokenState s) {
    switch (s) {
      case Headword: return colourResultHeadword;
      case HindiText: return colourResultHindi;
      default: return colourAction;  // Plain; a note keeps the parenthesis colour
    }
  }

  void append(unsigned char b) {
    const bool stored = tokenLength < in.tokenCapacity - 1;
    if (stored) {
      in.token[tokenLength++] = static_cast<char>(b);
      in.token[tokenLength] = 0;
    }
    if (b == '(') {
      if (state == Plain) state = Note;
      return;
    }
    if (state == Plain && isHindiByte(b)) state = HindiText;
    if (b == ')' && state == Note) {
      // The closing parenthesis is drawn apart, after the note's text.
      if (stored) in.token[--tokenLength] = 0;
      state = NoteEnd;
    }
  }

  bool matchesAt(const char* t, int k) const {
    for (int32_t i = 0; i < in.queryLength; ++i) {
      if (in.query[i] != '*' && in.query[i] != t[k + i]) return false;
    }
    return true;
  }

  void drawToken(int separator) {
    const char* t = in.token;
    int n = tokenLength;
    if (n >= 1 && t[0] == '(') {
      emit(ResultFont::Ui, colourAction, x + kTextOffset, "(", 1);
      ++t;
      --n;
      x += kParenStep;
    }
    const ResultFont font = fontOf(state);
    const Colour colour = colourOf(state);
    emit(font, colour, x + kTextOffset, t, n);
    const int w = n > 0 ? width(font, t, n) : 0;
    if (in.queryLength > 0 && n >= in.queryLength) {
      for (int k = 0; k <= n - in.queryLength; ++k) {
        if (!matchesAt(t, k)) continue;
        const int p = k > 0 ? width(font, t, k) : 0;
        emit(font, colourResultMatch, x + p + kTextOffset, t + k, in.queryLength);
      }
    }
    if (state == NoteEnd) {
      emit(ResultFont::Ui, colourAction, x + w + kTextOffset, ")", 1);
      x += kParenStep;
      state = Plain;
    }
    x += w + kTokenGap;
    if (x > in.clientWidth - 100 && separator != '\n') {
      x = 40;
      y += 16;
    }
    if (separator == '\n') {
      x = 1;
      state = Headword;
      y += 21;
    } else if (separator == ' ') {
      if (state == Headword) {
        state = Plain;
        y += 7;
      } else if (state == HindiText) {
        state = Plain;
      }
    }
    tokenLength = 0;
    in.token[0] = 0;
  }
};

}  // namespace

void layoutResultList(const ResultLayoutInput& in, const RunWidth& width,
                      std::vector<TextRun>& runs) {
  if (in.buffer == nullptr || in.token == nullptr || in.tokenCapacity < 1) return;
  const int32_t size = std::min(in.size, in.capacity);
  Walk walk{in, width, runs, size - 1};
  walk.y = resultListTop(in.headerStyle);
  in.token[0] = 0;
  const int32_t limit = resultListBottomLimit(in.headerStyle, in.clientHeight);
  if (walk.y >= limit) return;

  for (int32_t skipped = 0; skipped < in.scrollLine;) {
    const int b = walk.read();
    if (b < 0) return;
    if (b == '\n') ++skipped;
  }
  for (;;) {
    const int b = walk.read();
    if (b < 0) return;
    if (b == ' ' || b == '\r' || b == '\n') {
      walk.drawToken(b);
      if (walk.y >= limit) return;
    } else {
      walk.append(static_cast<unsigned char>(b));
    }
  }
}
