#include "companions/companion_window_win.h"

int runCompanionWindow(HINSTANCE instance, int showCommand, const CompanionWindow& window) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = window.procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, window.cursor);
  wc.lpszClassName = window.className;
  if (!RegisterClassA(&wc)) return 1;
  RECT r = {0, 0, window.clientWidth, window.clientHeight};
  AdjustWindowRectEx(&r, window.style, FALSE, window.exStyle);
  HWND handle = CreateWindowExA(window.exStyle, window.className, window.caption, window.style,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, instance, nullptr);
  if (!handle) return 1;
  ShowWindow(handle, showCommand);
  UpdateWindow(handle);
  if (window.shown) window.shown(handle);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void paintOffScreen(HWND window, int width, int height, void (*paint)(HDC dc)) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  paint(memory);
  BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

void fillSolid(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}
