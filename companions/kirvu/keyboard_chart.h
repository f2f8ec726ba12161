// The keyboard support program's portable model: where every key of the chart and every cell
// of the code panel stands, what a click at a point types, and the status text for a code.
//
// The chart shows a US keyboard: each key's upper half types the shifted character, its lower
// half the plain one, and both halves show the Devanagari glyph that the display face puts on
// that code. Below it a panel holds the upper-half codes (0x80 and up), which no Latin key can
// type, and a row of editing buttons.
#pragma once
#include <string>
#include <vector>

struct ChartRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

enum ChartAction : int {
  ChartNothing = 0,
  ChartTypeCode = 1,   // send the byte `code` as a typed character
  ChartBackspace = 2,  // delete the character before the caret
  ChartEnter = 3,      // search (the Enter key)
};

struct ChartHit {
  int action = ChartNothing;
  int code = 0;
};

struct ChartKey {
  char plain = 0;    // the character without Shift
  char shifted = 0;  // the character with Shift
  ChartRect rect;    // whole key; the upper half is the shifted character
};

struct ChartButton {
  int action = ChartNothing;
  int code = 0;
  const char* label = "";  // Windows-1251
  ChartRect rect;
};

struct ChartCell {
  int code = 0;
  ChartRect rect;
};

struct KeyboardChart {
  std::vector<ChartKey> keys;
  std::vector<ChartButton> buttons;
  std::vector<ChartCell> panel;
  ChartRect panelCaption;  // where the panel's heading is written
  ChartRect statusLine;
  int width = 0, height = 0;  // client size that holds everything
};

// Lays the chart out. The panel holds the Hindi codes that no key types (0x7F and the upper
// half). Other upper-half codes are left out even where the face shows something for them:
// that is a fallback glyph (Cyrillic under code page 1251), not Hindi.
KeyboardChart layoutKeyboardChart();

// What a left click at (x, y) does.
ChartHit chartHitTest(const KeyboardChart& chart, int x, int y);

// The Latin key that types code c ("Q", "Shift+Q", "Space"), or empty when no key does.
std::string keyForCode(const KeyboardChart& chart, int code);

// Whether code c draws Hindi on its own (keys of other codes show only their Latin letter).
bool isHindiCode(int code);

// Status text for the code under the mouse, Windows-1251: its number, which key types it, and
// what it is in Hindi.
std::string describeCode(const KeyboardChart& chart, int code);

// Where the chart's window goes on the screen (all in screen pixels): always wholly inside the
// work area, never over `keepVisible` (the dictionary's query line and header) when any place
// avoids it; among the places that do, the one that covers least of the dictionary (beside it
// when there is room), and of those the one that covers least of its footer. The places tried
// put the window against an edge of the dictionary, of its header or of the work area.
// Returns the window's rectangle.
ChartRect placeChartWindow(const ChartRect& dictionary, const ChartRect& keepVisible, int width,
                           int height, const ChartRect& workArea);

// A combining sign drawn over a dotted-circle carrier that stands where its consonant would:
// after the carrier, or before it for a sign written before its consonant (the short i). The
// sign's ink spans inkLeft..inkRight from its pen position and it advances by `advance`. The
// two together are centred in a box `boxWidth` wide; x values are from the box's left.
struct CarrierLayout {
  int carrierLeft;  // left of the carrier's box, carrierWidth wide
  int signX;        // pen position of the sign
};
CarrierLayout layoutOnCarrier(int boxWidth, int carrierWidth, int inkLeft, int inkRight,
                              int advance, bool signBefore);
