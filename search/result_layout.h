// Layout of the result list: walks the result buffer from a scroll line on, splits it into
// tokens at spaces and line ends, gives each token a font and a colour by a small state
// machine, draws the parentheses of notes apart, highlights every occurrence of the query
// and wraps and steps rows. The outcome is a list of text runs with exact positions; the
// window side only selects fonts and colours and writes them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "draw/colours.h"

// Bytes of the display face's Hindi repertoire: 0x40..0xBF except I [ ] ~ and the
// Windows-1251 letters 0xA8, 0xB0 (degree sign) and 0xB8.
bool isHindiByte(unsigned char b);

// State of the token machine.
enum TokenState : int { Plain = 0, Headword = 1, HindiText = 2, Note = 3, NoteEnd = 4 };

// The kit font a run is written in.
enum class ResultFont : int { Ui, Headword, Hindi, Note };

struct TextRun {
  ResultFont font;
  Colour colour;
  int x, y;           // top-left corner in client pixels
  std::string bytes;  // never empty
};

// Width in pixels of the first `count` bytes of `bytes` in a font.
using RunWidth = std::function<int(ResultFont font, const char* bytes, int count)>;

struct ResultLayoutInput {
  const char* buffer;   // the result bytes, lines ended by CR LF
  int32_t size;         // bytes loaded (0 nothing found, -1 a failed load)
  int32_t capacity;     // size of the block `buffer` points to
  int32_t scrollLine;   // lines skipped from the start of the buffer
  int32_t headerStyle;  // 0 full, 1 compact
  int32_t clientWidth, clientHeight;
  const char* query;  // the query bytes, counted, "*" matches any byte
  int32_t queryLength;
  char* token;  // scratch for the token being collected
  int32_t tokenCapacity;
};

// Lays the list out and appends its runs, in drawing order, to `runs`. A token longer than
// the scratch leaves room for (capacity - 1 bytes, so the scratch stays a terminated text)
// is cut: its further bytes still steer the state machine but are neither kept nor drawn.
void layoutResultList(const ResultLayoutInput& in, const RunWidth& width,
                      std::vector<TextRun>& runs);

// The top row of the list and the row at which it stops, for a header style.
int32_t resultListTop(int32_t headerStyle);
int32_t resultListBottomLimit(int32_t headerStyle, int32_t clientHeight);
