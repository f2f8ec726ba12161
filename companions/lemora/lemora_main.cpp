// Entry of lemora1.exe, the teaching program: drills the word pairs that the dictionary saved
// to its teacher lists.
#include <windows.h>

#include "companions/lemora/lemora_texts.h"
#include "companions/lemora/lemora_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = lemoraWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "Vartolik Lemora";
  if (!RegisterClassA(&wc)) return 1;
  RECT r = {0, 0, 600, 480};
  const DWORD style = WS_OVERLAPPEDWINDOW;
  AdjustWindowRect(&r, style, FALSE);
  HWND window =
      CreateWindowExA(0, wc.lpszClassName, kTextCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
