#include <gtest/gtest.h>

#include <algorithm>
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
  KeyboardChart chart = layoutKeyboardChart();
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

TEST(KeyboardChart, PanelHoldsTheHindiCodesThatNoKeyTypes) {
  KeyboardChart chart = layoutKeyboardChart();
  std::vector<int> expected;
  for (int code = 0; code < 256; ++code)
    if (isHindiCode(code) && keyForCode(chart, code).empty()) expected.push_back(code);
  std::vector<int> got;
  for (const ChartCell& cell : chart.panel) {
    got.push_back(cell.code);
    ChartHit hit = chartHitTest(chart, (cell.rect.left + cell.rect.right) / 2,
                                (cell.rect.top + cell.rect.bottom) / 2);
    EXPECT_EQ(hit.action, ChartTypeCode);
    EXPECT_EQ(hit.code, cell.code);
  }
  EXPECT_EQ(got, expected);
  // So every Hindi code can be typed one way or the other.
  for (int code = 0; code < 256; ++code) {
    if (!isHindiCode(code)) continue;
    bool onKey = !keyForCode(chart, code).empty();
    EXPECT_NE(onKey, std::count(got.begin(), got.end(), code) == 1) << code;
  }
  // The encoding puts its conjuncts, half forms and digits on 0x80..0xBF and the double danda
  // on 0x7F (no key); nothing above 0xBF is Hindi.
  int hindiUpper = 0;
  for (int code = 0x80; code <= 0xBF; ++code) hindiUpper += isHindiCode(code);
  EXPECT_GE(hindiUpper, 56);
  EXPECT_TRUE(isHindiCode(0x7F));
  for (int code = 0xC0; code <= 0xFF; ++code) EXPECT_FALSE(isHindiCode(code)) << code;
  EXPECT_FALSE(isHindiCode('1'));
  EXPECT_FALSE(isHindiCode(' '));
  EXPECT_TRUE(isHindiCode('k'));
}

TEST(KeyboardChart, NothingOverlapsAndEverythingFitsTheWindow) {
  {
    KeyboardChart chart = layoutKeyboardChart();
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
      for (std::size_t j = i + 1; j < rects.size(); ++j)
        EXPECT_FALSE(overlap(rects[i], rects[j])) << i << " " << j;
    }
  }
}

TEST(KeyboardChart, ButtonsAndGaps) {
  KeyboardChart chart = layoutKeyboardChart();
  std::map<int, int> actions;
  for (const ChartButton& b : chart.buttons) {
    ChartHit hit =
        chartHitTest(chart, (b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2);
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
  KeyboardChart chart = layoutKeyboardChart();
  struct Case {
    int code;
    const char* key;
  } cases[] = {{'q', "Q"},        {'Q', "Shift+Q"}, {'1', "1"},     {'!', "Shift+1"}, {'\\', "\\"},
               {'|', "Shift+\\"}, {'~', "Shift+`"}, {' ', "Space"}, {0xE0, ""},       {0x80, ""}};
  for (const Case& c : cases) EXPECT_EQ(keyForCode(chart, c.code), c.key) << c.code;

  std::string typed = describeCode(chart, 'k');
  EXPECT_NE(typed.find("0x6B (107)"), std::string::npos) << typed;
  EXPECT_NE(typed.find(" K"), std::string::npos) << typed;
  std::string panel = describeCode(chart, 0xBF);
  EXPECT_NE(panel.find("0xBF (191)"), std::string::npos) << panel;
  EXPECT_EQ(panel.find("Shift"), std::string::npos) << panel;
  // A Hindi code is named after the key; a code outside the encoding is not.
  EXPECT_NE(typed.find(": "), std::string::npos) << typed;
  EXPECT_EQ(describeCode(chart, '1').find(": "), std::string::npos);
}

}  // namespace

namespace {

TEST(KeyboardChart, WindowGoesBesideTheDictionaryWhollyOnTheScreen) {
  // The dictionary's window as it opens, its query line band in the header.
  const ChartRect dictionary = {140, 20, 660, 570}, header = {144, 70, 656, 170};
  const struct {
    const char* what;
    ChartRect workArea;
    int width, height;
    ChartRect expected;
  } cases[] = {
      {"room on the right", {0, 0, 1600, 900}, 640, 560, {660, 20, 1300, 580}},
      {"right pulled up onto the screen", {0, 0, 1400, 500}, 640, 400, {660, 20, 1300, 420}},
      // Below the header and in the screen's corner: 276 x 362 pixels of the dictionary
      // covered, where straight below it (pulled up) covered 520 x 362 and its footer.
      {"no room beside: the corner that hides least",
       {0, 0, 1024, 768},
       640,
       560,
       {384, 208, 1024, 768}},
      // A dictionary filling the screen is covered alike everywhere under its header: the
      // place keeps its footer clear.
      {"dictionary over the whole screen", {140, 20, 660, 570}, 400, 300, {260, 170, 660, 470}},
      {"left when only the left has room", {-700, 0, 700, 768}, 640, 560, {-500, 20, 140, 580}},
      {"larger than the screen: its top-left corner on it",
       {0, 0, 600, 400},
       640,
       560,
       {0, 0, 640, 560}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ChartRect r = placeChartWindow(dictionary, header, c.width, c.height, c.workArea);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
  }
}

TEST(KeyboardChart, SignAndCarrierAreCentredTogether) {
  const struct {
    int box, carrier, inkLeft, inkRight, advance;
    bool before;
    int carrierLeft, signX;
  } cases[] = {
      {30, 14, -12, -2, 0, false, 8, 22},   // a mark drawn back over its consonant: carrier only
      {30, 14, -20, -2, 0, false, 11, 25},  // reaching further left than the carrier
      {30, 14, 0, 6, 6, false, 5, 19},      // a spacing sign after the carrier (aa)
      {30, 14, 0, 16, 6, true, 11, 5},      // short i before the carrier, its loop over it
  };
  for (const auto& c : cases) {
    const CarrierLayout l =
        layoutOnCarrier(c.box, c.carrier, c.inkLeft, c.inkRight, c.advance, c.before);
    EXPECT_EQ(l.carrierLeft, c.carrierLeft) << c.inkLeft << " " << c.before;
    EXPECT_EQ(l.signX, c.signX) << c.inkLeft << " " << c.before;
    // Nothing of the pair leaves the box.
    EXPECT_GE(std::min(l.carrierLeft, l.signX + c.inkLeft), 0);
    EXPECT_LE(std::max(l.carrierLeft + c.carrier, l.signX + c.inkRight), c.box);
  }
}

}  // namespace
