#include "companions/kirvu/keyboard_chart.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "companions/kirvu/hindi_code_names.h"

namespace {

const int kMargin = 10;
const int kKeyPitch = 46;  // key width 42 + gap 4
const int kKeyWidth = 42;
const int kKeyHeight = 50;  // two halves of 25
const int kRowPitch = 54;
const int kCellPitch = 38;  // panel cells 35 x 40
const int kCellWidth = 35;
const int kCellHeight = 40;
const int kCellRowPitch = 44;
const int kPanelColumns = 16;

struct Row {
  const char* plain;
  const char* shifted;
  int indent;
};
const Row kRows[] = {
    {"`1234567890-=", "~!@#$%^&*()_+", 0},
    {"qwertyuiop[]\\", "QWERTYUIOP{}|", 23},
    {"asdfghjkl;'", "ASDFGHJKL:\"", 34},
    {"zxcvbnm,./", "ZXCVBNM<>?", 57},
};

// "Стереть" (erase), "Пробел" (space), "Искать (Enter)" (search).
const char kLabelBackspace[] = "\xD1\xF2\xE5\xF0\xE5\xF2\xFC";
const char kLabelSpace[] = "\xCF\xF0\xEE\xE1\xE5\xEB";
const char kLabelEnter[] = "\xC8\xF1\xEA\xE0\xF2\xFC (Enter)";

}  // namespace

KeyboardChart layoutKeyboardChart() {
  KeyboardChart chart;
  int y = kMargin;
  int right = 0;
  for (const Row& row : kRows) {
    int x = kMargin + row.indent;
    for (int i = 0; row.plain[i]; ++i) {
      ChartKey key;
      key.plain = row.plain[i];
      key.shifted = row.shifted[i];
      key.rect = {x, y, x + kKeyWidth, y + kKeyHeight};
      chart.keys.push_back(key);
      x += kKeyPitch;
    }
    if (x - (kKeyPitch - kKeyWidth) > right) right = x - (kKeyPitch - kKeyWidth);
    y += kRowPitch;
  }

  // Editing buttons under the keyboard, the space bar in the middle as on a keyboard.
  const int by = y;
  chart.buttons.push_back(
      {ChartBackspace, 8, kLabelBackspace, {kMargin, by, kMargin + 130, by + 30}});
  chart.buttons.push_back(
      {ChartTypeCode, ' ', kLabelSpace, {kMargin + 140, by, kMargin + 440, by + 30}});
  chart.buttons.push_back({ChartEnter, 13, kLabelEnter, {kMargin + 450, by, right, by + 30}});
  y = by + 30 + 10;

  chart.panelCaption = {kMargin, y, right, y + 20};
  y += 22;
  int column = 0;
  // 0x7F (DEL) has no key either: the encoding puts the double danda there.
  for (int code = 0x7F; code <= 0xFF; ++code) {
    if (!isHindiCode(code)) continue;
    int x = kMargin + column * kCellPitch;
    chart.panel.push_back({code, {x, y, x + kCellWidth, y + kCellHeight}});
    if (++column == kPanelColumns) {
      column = 0;
      y += kCellRowPitch;
    }
  }
  if (column) y += kCellRowPitch;
  chart.statusLine = {0, y + 2, right + kMargin, y + 30};
  chart.width = right + kMargin;
  chart.height = chart.statusLine.bottom;
  return chart;
}

ChartHit chartHitTest(const KeyboardChart& chart, int x, int y) {
  ChartHit hit;
  for (const ChartKey& key : chart.keys) {
    if (!key.rect.contains(x, y)) continue;
    bool upper = y < (key.rect.top + key.rect.bottom) / 2;
    hit.action = ChartTypeCode;
    hit.code = static_cast<unsigned char>(upper ? key.shifted : key.plain);
    return hit;
  }
  for (const ChartButton& b : chart.buttons) {
    if (!b.rect.contains(x, y)) continue;
    hit.action = b.action;
    hit.code = b.code;
    return hit;
  }
  for (const ChartCell& cell : chart.panel) {
    if (!cell.rect.contains(x, y)) continue;
    hit.action = ChartTypeCode;
    hit.code = cell.code;
    return hit;
  }
  return hit;
}

std::string keyForCode(const KeyboardChart& chart, int code) {
  if (code == ' ') return "Space";
  for (const ChartKey& key : chart.keys) {
    if (static_cast<unsigned char>(key.plain) == code) {
      char c = key.plain;
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      return std::string(1, c);
    }
    if (static_cast<unsigned char>(key.shifted) == code) {
      char c = key.plain;
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      return "Shift+" + std::string(1, c);
    }
  }
  return std::string();
}

bool isHindiCode(int code) { return hindiCodeName(code) != nullptr; }

std::string describeCode(const KeyboardChart& chart, int code) {
  char text[96];
  // "Код 0x%02X (%d)"
  std::snprintf(text, sizeof text, "\xCA\xEE\xE4 0x%02X (%d)", code & 0xFF, code & 0xFF);
  std::string out = text;
  std::string key = keyForCode(chart, code);
  if (!key.empty()) {
    out += ", \xEA\xEB\xE0\xE2\xE8\xF8\xE0 ";  // ", клавиша "
    out += key;
  } else {
    out += ", \xED\xE5\xF2 \xED\xE0 \xEA\xEB\xE0\xE2\xE8\xE0\xF2\xF3\xF0\xE5";  // ", нет на
                                                                                // клавиатуре"
  }
  if (const char* name = hindiCodeName(code)) {
    out += ": ";
    out += name;
  }
  return out;
}

namespace {

int clampInto(int v, int low, int high) { return v > high ? high : v < low ? low : v; }

long long overlap(const ChartRect& a, const ChartRect& b) {
  const int w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? static_cast<long long>(w) * h : 0;
}

}  // namespace

ChartRect placeChartWindow(const ChartRect& dictionary, const ChartRect& keepVisible, int width,
                           int height, const ChartRect& workArea) {
  // First the places beside the dictionary (right, below, left, above: the first of equals
  // wins), then every left and top edge against an edge of the dictionary, of its header or of
  // the work area. Each is pulled onto the work area (a window larger than it keeps its
  // top-left corner there).
  std::vector<std::pair<int, int>> corners = {{dictionary.right, dictionary.top},
                                              {dictionary.left, dictionary.bottom},
                                              {dictionary.left - width, dictionary.top},
                                              {dictionary.left, dictionary.top - height}};
  const int xs[] = {dictionary.right,         dictionary.left - width, dictionary.left,
                    dictionary.right - width, workArea.left,           workArea.right - width};
  const int ys[] = {
      dictionary.bottom,  dictionary.top - height,  dictionary.top, dictionary.bottom - height,
      keepVisible.bottom, keepVisible.top - height, workArea.top,   workArea.bottom - height};
  for (int x : xs)
    for (int y : ys) corners.emplace_back(x, y);
  // The dictionary's footer (its last 60 pixels: Wait, Exit, the language buttons).
  const ChartRect footer = {dictionary.left, dictionary.bottom - 60, dictionary.right,
                            dictionary.bottom};
  ChartRect best;
  long long bestHidden = -1, bestCovered = 0, bestFooter = 0;
  for (const auto& corner : corners) {
    const int x =
        std::max(workArea.left, clampInto(corner.first, workArea.left, workArea.right - width));
    const int y =
        std::max(workArea.top, clampInto(corner.second, workArea.top, workArea.bottom - height));
    const ChartRect r = {x, y, x + width, y + height};
    const long long hidden = overlap(r, keepVisible), covered = overlap(r, dictionary),
                    foot = overlap(r, footer);
    const bool better = bestHidden < 0 || hidden < bestHidden ||
                        (hidden == bestHidden &&
                         (covered < bestCovered || (covered == bestCovered && foot < bestFooter)));
    if (better) {
      best = r;
      bestHidden = hidden;
      bestCovered = covered;
      bestFooter = foot;
    }
  }
  return best;
}

CarrierLayout layoutOnCarrier(int boxWidth, int carrierWidth, int inkLeft, int inkRight,
                              int advance, bool signBefore) {
  // Positions with the first of the two at 0, then the pair's ink shifted to the middle.
  const int carrier = signBefore ? advance : 0;
  const int sign = signBefore ? 0 : carrierWidth;
  const int left = std::min(carrier, sign + inkLeft);
  const int right = std::max(carrier + carrierWidth, sign + inkRight);
  const int shift = (boxWidth - (right - left)) / 2 - left;
  return CarrierLayout{carrier + shift, sign + shift};
}
