#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "companions/kirvu/keyboard_chart.h"

namespace {

std::vector<ChartRect> allRects(const KeyboardChart& chart) {
  std::vector<ChartRect> rects;
  for (const ChartKey& k : chart.keys) rects.push_back(k.rect);
  for (const ChartButton& b : chart.buttons) rects.push_back(b.rect);
  for (const ChartCell& c : chart.panel) rects.push_back(c.rect);
  return rects;
}

bool overlap(const ChartRect& a, const ChartRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(KeyboardChart, EveryPrintableCodeHasExactlyOneKeyHalf) {
  KeyboardChart chart = layoutKeyboardChart(nullptr);
  // Click the middle of each half of each key and count which codes come out.
  std::map<int, int> typed;
  for (const ChartKey& k : chart.keys) {
    int x = (k.rect.left + k.rect.right) / 2;
    ChartHit upper = chartHitTest(chart, x, k.rect.top + 5);
    ChartHit lower = chartHitTest(chart, x, k.rect.bottom - 5);
    ASSERT_EQ(upper.action, ChartTypeCode);
    ASSERT_EQ(lower.action, ChartTypeCode);
    EXPECT_EQ(upper.code, static_cast<unsigned char>(k.shifted));
    EXPECT_EQ(lower.code, static_cast<unsigned char>(k.plain));
    ++typed[upper.code];
    ++typed[lower.code];
  }
  for (int c = 0x21; c <= 0x7E; ++c) EXPECT_EQ(typed[c], 1) << "code " << c;
  EXPECT_EQ(typed.size(), 0x7E - 0x21 + 1u) << "a key types something outside 0x21..0x7E";
}

TEST(KeyboardChart, PanelHoldsTheUpperHalfCodes) {
  struct Case {
    const char* name;
    int glyphsFrom, glyphsTo;  // codes the face draws
    bool nullMask;
    std::size_t cells;
  } cases[] = {
      {"no glyph table: every upper code", 0, 0, true, 128},
      {"face draws everything", 0, 255, false, 128},
      {"face draws nothing above 0xBF", 0, 0xBF, false, 64},
      {"face draws nothing at all: 0x80..0xBF still offered", 0, 0, false, 64},
      {"face draws up to 0xCF", 0, 0xCF, false, 80},
  };
  for (const Case& c : cases) {
    bool mask[256];
    for (int i = 0; i < 256; ++i) mask[i] = i >= c.glyphsFrom && i <= c.glyphsTo && c.glyphsTo > 0;
    KeyboardChart chart = layoutKeyboardChart(c.nullMask ? nullptr : mask);
    ASSERT_EQ(chart.panel.size(), c.cells) << c.name;
    for (std::size_t i = 0; i < chart.panel.size(); ++i) {
      const ChartCell& cell = chart.panel[i];
      EXPECT_EQ(cell.code, static_cast<int>(0x80 + i)) << c.name;  // in code order, no gaps here
      ChartHit hit = chartHitTest(chart, (cell.rect.left + cell.rect.right) / 2,
                                  (cell.rect.top + cell.rect.bottom) / 2);
      EXPECT_EQ(hit.action, ChartTypeCode) << c.name;
      EXPECT_EQ(hit.code, cell.code) << c.name;
    }
  }
  // A face with holes: only the codes with glyphs above 0xBF, in order.
  bool mask[256] = {};
  mask[0xC5] = mask[0xE0] = mask[0xFF] = true;
  KeyboardChart chart = layoutKeyboardChart(mask);
  ASSERT_EQ(chart.panel.size(), 67u);
  EXPECT_EQ(chart.panel[64].code, 0xC5);
  EXPECT_EQ(chart.panel[65].code, 0xE0);
  EXPECT_EQ(chart.panel[66].code, 0xFF);
}

TEST(KeyboardChart, NothingOverlapsAndEverythingFitsTheWindow) {
  for (bool full : {true, false}) {
    bool mask[256] = {};
    KeyboardChart chart = layoutKeyboardChart(full ? nullptr : mask);
    std::vector<ChartRect> rects = allRects(chart);
    rects.push_back(chart.panelCaption);
    rects.push_back(chart.statusLine);
    for (std::size_t i = 0; i < rects.size(); ++i) {
      EXPECT_GE(rects[i].left, 0);
      EXPECT_GE(rects[i].top, 0);
      EXPECT_LE(rects[i].right, chart.width);
      EXPECT_LE(rects[i].bottom, chart.height);
      EXPECT_LT(rects[i].left, rects[i].right);
      EXPECT_LT(rects[i].top, rects[i].bottom);
      for (std::size_t j = i + 1; j < rects.size(); ++j) EXPECT_FALSE(overlap(rects[i], rects[j])) << i << " " << j;
    }
  }
}

TEST(KeyboardChart, ButtonsAndGaps) {
  KeyboardChart chart = layoutKeyboardChart(nullptr);
  std::map<int, int> actions;
  for (const ChartButton& b : chart.buttons) {
    ChartHit hit = chartHitTest(chart, (b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2);
    ++actions[hit.action];
    if (hit.action == ChartTypeCode) {
      EXPECT_EQ(hit.code, ' ');
    }
  }
  EXPECT_EQ(actions[ChartBackspace], 1);
  EXPECT_EQ(actions[ChartEnter], 1);
  EXPECT_EQ(actions[ChartTypeCode], 1);

  // Between two keys, left of the first key, below the status line: nothing.
  const ChartKey& q = chart.keys[13];  // first key of the second row
  const ChartKey& w = chart.keys[14];
  ASSERT_EQ(q.plain, 'q');
  EXPECT_EQ(chartHitTest(chart, q.rect.right + 1, q.rect.top + 10).action, ChartNothing);
  EXPECT_EQ(chartHitTest(chart, w.rect.left - 1, w.rect.top + 10).action, ChartNothing);
  EXPECT_EQ(chartHitTest(chart, 2, q.rect.top + 10).action, ChartNothing);
  EXPECT_EQ(chartHitTest(chart, -5, -5).action, ChartNothing);
  EXPECT_EQ(chartHitTest(chart, chart.width + 5, chart.height + 5).action, ChartNothing);
  // Edges: the left and top edge belong to the key, the right and bottom do not.
  EXPECT_EQ(chartHitTest(chart, q.rect.left, q.rect.top).code, 'Q');
  EXPECT_EQ(chartHitTest(chart, q.rect.right - 1, q.rect.bottom - 1).code, 'q');
  EXPECT_EQ(chartHitTest(chart, q.rect.left, q.rect.bottom).action, ChartNothing);
}

TEST(KeyboardChart, NamesTheKeyOfACode) {
  KeyboardChart chart = layoutKeyboardChart(nullptr);
  struct Case {
    int code;
    const char* key;
  } cases[] = {{'q', "Q"},         {'Q', "Shift+Q"}, {'1', "1"},   {'!', "Shift+1"}, {'\\', "\\"},
               {'|', "Shift+\\"}, {'~', "Shift+`"}, {' ', "Space"}, {0xE0, ""},       {0x80, ""}};
  for (const Case& c : cases) EXPECT_EQ(keyForCode(chart, c.code), c.key) << c.code;

  std::string typed = describeCode(chart, 'k');
  EXPECT_NE(typed.find("0x6B (107)"), std::string::npos) << typed;
  EXPECT_NE(typed.find(" K"), std::string::npos) << typed;
  std::string panel = describeCode(chart, 0xBF);
  EXPECT_NE(panel.find("0xBF (191)"), std::string::npos) << panel;
  EXPECT_EQ(panel.find("Shift"), std::string::npos) << panel;
}

}  // namespace
