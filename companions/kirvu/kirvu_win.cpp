#include "companions/kirvu/kirvu_win.h"

#include <cstring>

#include "companions/companion_fonts_win.h"

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

void fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// One character of a key or a cell: the Latin letter small at the left, the glyph large.
void drawHalf(HDC dc, RECT r, char latin, int code, bool hot) {
  if (hot) fill(dc, r, kKirvuHot);
  char text[2] = {static_cast<char>(code), 0};
  HGDIOBJ old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, kKirvuLatin);
  RECT left = {r.left + 3, r.top, r.left + 16, r.bottom};
  char l[2] = {latin, 0};
  DrawTextA(dc, l, 1, &left, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (isHindiCode(code)) {  // other codes type what their Latin key shows
    SelectObject(dc, kirvu.fontGlyph);
    SetTextColor(dc, kKirvuGlyph);
    RECT right = {r.left + 14, r.top - 3, r.right - 2, r.bottom + 3};
    DrawTextA(dc, text, 1, &right, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  SelectObject(dc, old);
}

void drawKey(HDC dc, const ChartKey& key) {
  RECT r = toRect(key.rect);
  fill(dc, r, kKirvuKeyFace);
  RECT upper = {r.left + 2, r.top + 2, r.right - 2, (r.top + r.bottom) / 2};
  RECT lower = {r.left + 2, (r.top + r.bottom) / 2, r.right - 2, r.bottom - 2};
  int plain = static_cast<unsigned char>(key.plain), shifted = static_cast<unsigned char>(key.shifted);
  drawHalf(dc, upper, key.shifted, shifted, kirvu.hotAction == ChartTypeCode && kirvu.hotCode == shifted);
  drawHalf(dc, lower, key.plain, plain, kirvu.hotAction == ChartTypeCode && kirvu.hotCode == plain);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void drawCell(HDC dc, const ChartCell& cell) {
  RECT r = toRect(cell.rect);
  bool hot = kirvu.hotAction == ChartTypeCode && kirvu.hotCode == cell.code;
  fill(dc, r, hot ? kKirvuHot : kKirvuPanelFace);
  char glyph[2] = {static_cast<char>(cell.code), 0};
  HGDIOBJ old = SelectObject(dc, kirvu.fontGlyph);
  SetTextColor(dc, kKirvuGlyph);
  RECT top = {r.left, r.top - 2, r.right, r.bottom - 10};
  DrawTextA(dc, glyph, 1, &top, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
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
  fill(dc, r, hot ? kKirvuHot : kKirvuKeyFace);
  HGDIOBJ old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, kKirvuLatin);
  DrawTextA(dc, b.label, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void setStatus(const char* text) {
  lstrcpynA(kirvu.status, text, sizeof kirvu.status);
}

void redrawStatus(HWND window) {
  RECT r = toRect(kirvu.chart.statusLine);
  InvalidateRect(window, &r, FALSE);
}

}  // namespace

void paintKirvuChart(HDC dc) {
  RECT all = {0, 0, kirvu.chart.width, kirvu.chart.height};
  fill(dc, all, kKirvuBackground);
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
  fill(dc, status, RGB(250, 250, 250));
  DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_TOP);
  old = SelectObject(dc, kirvu.fontLabel);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text = {status.left + 8, status.top, status.right - 8, status.bottom};
  if (kirvu.hotAction == ChartTypeCode && isHindiCode(kirvu.hotCode)) {
    // The glyph itself leads the description.
    char glyph[2] = {static_cast<char>(kirvu.hotCode), 0};
    SelectObject(dc, kirvu.fontGlyph);
    SetTextColor(dc, kKirvuGlyph);
    RECT g = {text.left, status.top - 6, text.left + 30, status.bottom + 4};
    DrawTextA(dc, glyph, 1, &g, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
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
    case ChartEnter:
      PostMessageA(dictionary, WM_CHAR, static_cast<WPARAM>(hit.code & 0xFF), 1);
      break;
    case ChartBackspace:
      PostMessageA(dictionary, WM_KEYDOWN, VK_BACK, 1);
      PostMessageA(dictionary, WM_KEYUP, VK_BACK, 0xC0000001);
      break;
    default:
      break;
  }
  return true;
}

void onKirvuCreate(HWND window) {
  registerCompanionFonts();
  kirvu.fontGlyph = createCompanionFont(kHindiFace, 26, FW_NORMAL);
  kirvu.fontLabel = createCompanionFont(kRussianFace, 14, FW_NORMAL);
  kirvu.fontSmall = createCompanionFont(kRussianFace, 11, FW_NORMAL);
  kirvu.chart = layoutKeyboardChart();
  RECT r = {0, 0, kirvu.chart.width, kirvu.chart.height};
  AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), FALSE, GetWindowLongA(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void onKirvuPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  // Drawn off screen first so that hovering does not flicker.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, kirvu.chart.width, kirvu.chart.height);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  paintKirvuChart(memory);
  BitBlt(dc, 0, 0, kirvu.chart.width, kirvu.chart.height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

void onKirvuLButtonDown(HWND window, int x, int y) {
  ChartHit hit = chartHitTest(kirvu.chart, x, y);
  if (hit.action == ChartNothing) return;
  if (!sendToDictionary(hit)) MessageBoxA(window, kNoDictionary, kCaption, MB_OK | MB_ICONINFORMATION);
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
  if (!sendToDictionary(hit)) MessageBoxA(window, kNoDictionary, kCaption, MB_OK | MB_ICONINFORMATION);
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
    default:
      break;
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
    case WM_CREATE:
      onKirvuCreate(window);
      return 0;
    case WM_PAINT:
      onKirvuPaint(window);
      return 0;
    case WM_LBUTTONDOWN:
      onKirvuLButtonDown(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      onKirvuMouseMove(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_CHAR:
      onKirvuChar(window, wParam);
      return 0;
    case WM_KEYDOWN:
      onKirvuKeyDown(window, wParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_DESTROY:
      onKirvuDestroy(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

const char* kirvuCaption() { return kCaption; }
