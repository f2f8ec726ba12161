#include "companions/kirvu/kirvu_win.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "companions/companion_fonts_win.h"
#include "companions/companion_window_win.h"
#include "companions/kirvu/hindi_code_names.h"
#include "res/resource.h"

const char kDictionaryClass[] = "My Window";
KirvuState kirvu;

namespace {

// "Знаки, которых нет на клавиатуре: щелчок набирает их в строке запроса словаря"
const char kPanelCaption[] =
    "\xC7\xED\xE0\xEA\xE8, \xEA\xEE\xF2\xEE\xF0\xFB\xF5 \xED\xE5\xF2 \xED\xE0 "
    "\xEA\xEB\xE0\xE2\xE8\xE0\xF2\xF3\xF0\xE5: \xF9\xE5\xEB\xF7\xEE\xEA \xED\xE0\xE1\xE8\xF0"
    "\xE0\xE5\xF2 \xE8\xF5 \xE2 \xF1\xF2\xF0\xEE\xEA\xE5 \xE7\xE0\xEF\xF0\xEE\xF1\xE0 "
    "\xF1\xEB\xEE\xE2\xE0\xF0\xFF";
// "Верх клавиши — с Shift, низ — без. Наведите мышь на знак, чтобы узнать его код."
const char kStatusHint[] =
    "\xC2\xE5\xF0\xF5 \xEA\xEB\xE0\xE2\xE8\xF8\xE8 \x97 \xF1 Shift, \xED\xE8\xE7 \x97 \xE1"
    "\xE5\xE7. \xCD\xE0\xE2\xE5\xE4\xE8\xF2\xE5 \xEC\xFB\xF8\xFC \xED\xE0 \xE7\xED\xE0"
    "\xEA, \xF7\xF2\xEE\xE1\xFB \xF3\xE7\xED\xE0\xF2\xFC \xE5\xE3\xEE \xEA\xEE\xE4.";
// "Словарь не запущен: знаки набираются в его строке запроса.\nЗапустите vartolik.exe,
// нажмите GO и выберите язык Hindi."
const char kNoDictionary[] =
    "\xD1\xEB\xEE\xE2\xE0\xF0\xFC \xED\xE5 \xE7\xE0\xEF\xF3\xF9\xE5\xED: \xE7\xED\xE0\xEA\xE8 "
    "\xED\xE0\xE1\xE8\xF0\xE0\xFE\xF2\xF1\xFF \xE2 \xE5\xE3\xEE \xF1\xF2\xF0\xEE\xEA\xE5 \xE7"
    "\xE0\xEF\xF0\xEE\xF1\xE0.\n\xC7\xE0\xEF\xF3\xF1\xF2\xE8\xF2\xE5 vartolik.exe, \xED\xE0"
    "\xE6\xEC\xE8\xF2\xE5 GO \xE8 \xE2\xFB\xE1\xE5\xF0\xE8\xF2\xE5 \xFF\xE7\xFB\xEA Hindi.";
// "Поддержка клавиатуры хинди"
const char kCaption[] =
    "\xCF\xEE\xE4\xE4\xE5\xF0\xE6\xEA\xE0 \xEA\xEB\xE0\xE2\xE8\xE0\xF2\xF3\xF0\xFB \xF5\xE8\xED"
    "\xE4\xE8";

RECT toRect(const ChartRect& r) {
  RECT out = {r.left, r.top, r.right, r.bottom};
  return out;
}

// The short-i sign, written before the consonant it follows in speech.
const int kShortISign = 0x69;
const COLORREF kCarrierDots = RGB(130, 130, 130);

// The dotted circle (U+25CC) that stands for "any consonant" under a combining sign.
void drawDottedCircle(HDC dc, int cx, int cy, int radius) {
  HBRUSH brush = CreateSolidBrush(kCarrierDots);
  const int dots = 10;
  for (int i = 0; i < dots; ++i) {
    const double angle = 6.283185307 * i / dots;
    const int x = cx + static_cast<int>(radius * std::cos(angle) +
                                        (radius * std::cos(angle) < 0 ? -0.5 : 0.5));
    const int y = cy + static_cast<int>(radius * std::sin(angle) +
                                        (radius * std::sin(angle) < 0 ? -0.5 : 0.5));
    RECT dot = {x - 1, y - 1, x + 1, y + 1};
    FillRect(dc, &dot, brush);
  }
  DeleteObject(brush);
}

// Ink of one code in the selected font, relative to its pen position on the text's top line:
// false when the face cannot say.
bool inkOf(HDC dc, int code, const TEXTMETRICA& tm, RECT& ink, int& advance) {
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS gm = {};
  if (GetGlyphOutlineA(dc, static_cast<UINT>(code), GGO_METRICS, &gm, 0, nullptr, &identity) ==
      GDI_ERROR)
    return false;
  ink.left = gm.gmptGlyphOrigin.x;
  ink.right = ink.left + static_cast<int>(gm.gmBlackBoxX);
  ink.top = tm.tmAscent - gm.gmptGlyphOrigin.y;
  ink.bottom = ink.top + static_cast<int>(gm.gmBlackBoxY);
  advance = gm.gmCellIncX;
  return true;
}

// A glyph in the middle of box, in the selected glyph font, its ink kept between the top and
// the bottom of `limit` (the key or cell it stands on). A sign that sits on a consonant goes
// on a dotted circle where the consonant's body would be, the pair centred as a whole, so
// that signs drawn back over their consonant or above its headline stay on their key.
void drawGlyph(HDC dc, RECT box, RECT limit, int code) {
  char text[2] = {static_cast<char>(code), 0};
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  RECT sign, body;
  int signAdvance = 0, bodyAdvance = 0;
  if (!inkOf(dc, code, tm, sign, signAdvance)) {
    DrawTextA(dc, text, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return;
  }
  const int width = box.right - box.left, height = box.bottom - box.top;
  int x = box.left + (width - signAdvance) / 2;
  int y = box.top + (height - tm.tmHeight) / 2;
  // the face's ka: a consonant of usual size
  if (isCombiningCode(code) && inkOf(dc, 'k', tm, body, bodyAdvance)) {
    const CarrierLayout across = layoutOnCarrier(width, bodyAdvance, sign.left, sign.right,
                                                 signAdvance, code == kShortISign);
    // Up and down: the circle, in the middle of the body's ink, and the sign's ink, both from
    // the text's top line, centred together.
    const int radius = std::min(bodyAdvance, static_cast<int>(body.bottom - body.top)) * 3 / 8;
    const int middle = (body.top + body.bottom) / 2 + 1;
    const int top = std::min(middle - radius - 1, static_cast<int>(sign.top));
    const int bottom = std::max(middle + radius + 1, static_cast<int>(sign.bottom));
    x = box.left + across.signX;
    y = box.top + (height - (bottom - top)) / 2 - top;
    y = std::min(y, static_cast<int>(limit.bottom) - bottom);
    y = std::max(y, static_cast<int>(limit.top) - top);
    drawDottedCircle(dc, box.left + across.carrierLeft + bodyAdvance / 2, y + middle, radius);
  }
  y = std::min(y, static_cast<int>(limit.bottom - sign.bottom));
  y = std::max(y, static_cast<int>(limit.top - sign.top));
  TextOutA(dc, x, y, text, 1);
}

// One character of a key or a cell: the Latin letter small at the left, the glyph large.
void drawHalf(HDC dc, RECT r, RECT key, char latin, int code, bool hot) {
  if (hot) fillSolid(dc, r, kKirvuHot);
  HGDIOBJ old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, kKirvuLatin);
  RECT left = {r.left + 3, r.top, r.left + 16, r.bottom};
  char l[2] = {latin, 0};
  DrawTextA(dc, l, 1, &left, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (isHindiCode(code)) {  // other codes type what their Latin key shows
    SelectObject(dc, kirvu.fontGlyph);
    SetTextColor(dc, kKirvuGlyph);
    // Plain glyphs may use a little of the key's margin; a sign with its circle keeps to the half.
    const int margin = isCombiningCode(code) ? 0 : 3;
    drawGlyph(dc, RECT{r.left + 14, r.top - margin, r.right - 2, r.bottom + margin}, key, code);
  }
  SelectObject(dc, old);
}

void drawKey(HDC dc, const ChartKey& key) {
  RECT r = toRect(key.rect);
  fillSolid(dc, r, kKirvuKeyFace);
  RECT upper = {r.left + 2, r.top + 2, r.right - 2, (r.top + r.bottom) / 2};
  RECT lower = {r.left + 2, (r.top + r.bottom) / 2, r.right - 2, r.bottom - 2};
  int plain = static_cast<unsigned char>(key.plain),
      shifted = static_cast<unsigned char>(key.shifted);
  drawHalf(dc, upper, r, key.shifted, shifted,
           kirvu.hotAction == ChartTypeCode && kirvu.hotCode == shifted);
  drawHalf(dc, lower, r, key.plain, plain,
           kirvu.hotAction == ChartTypeCode && kirvu.hotCode == plain);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void drawCell(HDC dc, const ChartCell& cell) {
  RECT r = toRect(cell.rect);
  bool hot = kirvu.hotAction == ChartTypeCode && kirvu.hotCode == cell.code;
  fillSolid(dc, r, hot ? kKirvuHot : kKirvuPanelFace);
  HGDIOBJ old = SelectObject(dc, kirvu.fontGlyph);
  SetTextColor(dc, kKirvuGlyph);
  drawGlyph(dc, RECT{r.left, r.top - 2, r.right, r.bottom - 10}, r, cell.code);
  SelectObject(dc, kirvu.fontSmall);
  SetTextColor(dc, kKirvuLatin);
  char hex[4];
  wsprintfA(hex, "%02X", cell.code);
  RECT bottom = {r.left, r.bottom - 12, r.right, r.bottom};
  DrawTextA(dc, hex, 2, &bottom, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void drawButton(HDC dc, const ChartButton& b) {
  RECT r = toRect(b.rect);
  bool hot = kirvu.hotAction == b.action && kirvu.hotCode == b.code;
  fillSolid(dc, r, hot ? kKirvuHot : kKirvuKeyFace);
  HGDIOBJ old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, kKirvuLatin);
  DrawTextA(dc, b.label, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void setStatus(const char* text) { lstrcpynA(kirvu.status, text, sizeof kirvu.status); }

void redrawStatus(HWND window) {
  RECT r = toRect(kirvu.chart.statusLine);
  InvalidateRect(window, &r, FALSE);
}

ChartRect chartRect(const RECT& r) { return ChartRect{r.left, r.top, r.right, r.bottom}; }

// Beside the dictionary's window rather than over the query line it types into, and wholly
// on the dictionary's screen.
void placeBesideDictionary(HWND window) {
  HWND dictionary = FindWindowA(kDictionaryClass, nullptr);
  if (!dictionary || IsIconic(dictionary)) return;
  RECT owner, client, own;
  GetWindowRect(dictionary, &owner);
  GetClientRect(dictionary, &client);
  GetWindowRect(window, &own);
  POINT origin = {0, 0};
  ClientToScreen(dictionary, &origin);
  // The title, the query line and the keyboard-support strip: the top 100 client pixels.
  const ChartRect header = {origin.x, origin.y, origin.x + client.right, origin.y + 100};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(dictionary, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ChartRect place = placeChartWindow(chartRect(owner), header, own.right - own.left,
                                           own.bottom - own.top, chartRect(monitor.rcWork));
  SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void paintKirvuChart(HDC dc) {
  RECT all = {0, 0, kirvu.chart.width, kirvu.chart.height};
  fillSolid(dc, all, kKirvuBackground);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  for (const ChartKey& key : kirvu.chart.keys) drawKey(dc, key);
  for (const ChartButton& b : kirvu.chart.buttons) drawButton(dc, b);

  HGDIOBJ old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT caption = toRect(kirvu.chart.panelCaption);
  DrawTextA(dc, kPanelCaption, -1, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  for (const ChartCell& cell : kirvu.chart.panel) drawCell(dc, cell);

  RECT status = toRect(kirvu.chart.statusLine);
  fillSolid(dc, status, RGB(250, 250, 250));
  DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_TOP);
  old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text = {status.left + 8, status.top, status.right - 8, status.bottom};
  if (kirvu.hotAction == ChartTypeCode && isHindiCode(kirvu.hotCode)) {
    // The glyph itself leads the description.
    SelectObject(dc, kirvu.fontGlyph);
    SetTextColor(dc, kKirvuGlyph);
    drawGlyph(dc, RECT{text.left, status.top - 6, text.left + 30, status.bottom + 4}, status,
              kirvu.hotCode);
    SelectObject(dc, kirvu.fontLabel);
    SetTextColor(dc, RGB(0, 0, 0));
    text.left += 32;
  }
  DrawTextA(dc, kirvu.status[0] ? kirvu.status : kStatusHint, -1, &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  SetBkMode(dc, oldMode);
}

bool sendToDictionary(const ChartHit& hit) {
  HWND dictionary = FindWindowA(kDictionaryClass, nullptr);
  if (!dictionary) return false;
  switch (hit.action) {
    case ChartTypeCode:
      // A Hindi code typed while the dictionary searches Russian would be a Latin letter
      // there: the dictionary turns to Hindi first, as a paste of Devanagari does.
      if (isHindiCode(hit.code & 0xFF)) PostMessageA(dictionary, WM_COMMAND, IDM_TYPE_HINDI, 0);
      PostMessageA(dictionary, WM_CHAR, static_cast<WPARAM>(hit.code & 0xFF), 1);
      break;
    case ChartEnter:
      PostMessageA(dictionary, WM_CHAR, static_cast<WPARAM>(hit.code & 0xFF), 1);
      break;
    case ChartBackspace:
      PostMessageA(dictionary, WM_KEYDOWN, VK_BACK, 1);
      PostMessageA(dictionary, WM_KEYUP, VK_BACK, 0xC0000001);
      break;
    default: break;
  }
  return true;
}

namespace {

HWND chartWindow = nullptr;
const UINT_PTR kAboveTimer = 1;
const UINT kAboveCheckMs = 250;

bool standsAbove(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

// The chart stays above the dictionary, not above every program: whenever the dictionary is
// in front, the chart is put back over it without taking the keyboard. (A window of another
// process cannot be the chart's owner, which would do this by itself.)
void raiseOverDictionary() {
  HWND foreground = GetForegroundWindow();
  if (!chartWindow || !foreground || IsIconic(chartWindow)) return;
  char cls[64] = {};
  GetClassNameA(foreground, cls, sizeof cls);
  if (lstrcmpA(cls, kDictionaryClass) != 0 || standsAbove(chartWindow, foreground)) return;
  SetWindowPos(chartWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CALLBACK onForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  raiseOverDictionary();
}

}  // namespace

void keepAboveDictionary(HWND window) {
  chartWindow = window;
  // The event comes at once where the system sends it across processes; the timer covers
  // systems that do not (Wine 8 among them).
  SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, onForegroundChanged, 0,
                  0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  SetTimer(window, kAboveTimer, kAboveCheckMs, nullptr);
}

void onKirvuCreate(HWND window) {
  registerCompanionFonts();
  kirvu.fontGlyph = createCompanionFont(kHindiFace, 26, FW_NORMAL);
  kirvu.fontLabel = createCompanionFont(kRussianFace, 14, FW_NORMAL);
  kirvu.fontSmall = createCompanionFont(kRussianFace, 11, FW_NORMAL);
  kirvu.chart = layoutKeyboardChart();
  RECT r = {0, 0, kirvu.chart.width, kirvu.chart.height};
  AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), FALSE,
                     GetWindowLongA(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER);
  placeBesideDictionary(window);
}

void onKirvuPaint(HWND window) {
  paintOffScreen(window, kirvu.chart.width, kirvu.chart.height, paintKirvuChart);
}

void onKirvuLButtonDown(HWND window, int x, int y) {
  ChartHit hit = chartHitTest(kirvu.chart, x, y);
  if (hit.action == ChartNothing) return;
  if (!sendToDictionary(hit))
    MessageBoxA(window, kNoDictionary, kCaption, MB_OK | MB_ICONINFORMATION);
}

void onKirvuMouseMove(HWND window, int x, int y) {
  ChartHit hit = chartHitTest(kirvu.chart, x, y);
  if (hit.action == kirvu.hotAction && hit.code == kirvu.hotCode) return;
  kirvu.hotAction = hit.action;
  kirvu.hotCode = hit.action == ChartNothing ? -1 : hit.code;
  if (hit.action == ChartTypeCode) {
    setStatus(describeCode(kirvu.chart, hit.code).c_str());
  } else {
    setStatus("");
  }
  InvalidateRect(window, nullptr, FALSE);
  redrawStatus(window);
}

// Typing into the chart types into the dictionary: the Latin keys give the same codes there.
void onKirvuChar(HWND window, WPARAM character) {
  ChartHit hit;
  hit.action = character == 13 ? ChartEnter : ChartTypeCode;
  hit.code = static_cast<int>(character & 0xFF);
  if (character == 8 || character == 27) return;  // Backspace arrives as a key; Esc stays here
  if (!sendToDictionary(hit))
    MessageBoxA(window, kNoDictionary, kCaption, MB_OK | MB_ICONINFORMATION);
}

void onKirvuKeyDown(HWND window, WPARAM key) {
  switch (key) {
    case VK_BACK:
    case VK_DELETE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END: {
      HWND dictionary = FindWindowA(kDictionaryClass, nullptr);
      if (dictionary) PostMessageA(dictionary, WM_KEYDOWN, key, 1);
      break;
    }
    default: break;
  }
}

void onKirvuDestroy(HWND window) {
  DeleteObject(kirvu.fontGlyph);
  DeleteObject(kirvu.fontLabel);
  DeleteObject(kirvu.fontSmall);
  kirvu.fontGlyph = kirvu.fontLabel = kirvu.fontSmall = nullptr;
  removeCompanionFonts();
  PostQuitMessage(0);
}

LRESULT CALLBACK kirvuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: onKirvuCreate(window); return 0;
    case WM_PAINT: onKirvuPaint(window); return 0;
    case WM_LBUTTONDOWN:
      onKirvuLButtonDown(window, static_cast<short>(LOWORD(lParam)),
                         static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      onKirvuMouseMove(window, static_cast<short>(LOWORD(lParam)),
                       static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_CHAR: onKirvuChar(window, wParam); return 0;
    case WM_KEYDOWN: onKirvuKeyDown(window, wParam); return 0;
    case WM_TIMER: raiseOverDictionary(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_DESTROY: onKirvuDestroy(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

const char* kirvuCaption() { return kCaption; }
