// Entry of kirvu.exe, the Hindi keyboard support: one small window that stays above the
// dictionary.
#include <windows.h>

#include "companions/kirvu/kirvu_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = kirvuWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_HAND);
  wc.lpszClassName = "Vartolik Kirvu";
  if (!RegisterClassA(&wc)) return 1;
  HWND window = CreateWindowExA(
      0, wc.lpszClassName, kirvuCaption(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  keepAboveDictionary(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
