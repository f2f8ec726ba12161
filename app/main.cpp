// Program entry: registers the main window class, opens the one main window and runs the
// message loop until the quit request.
#include <windows.h>

#include "app/session_state.h"
#include "app/window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  if (!previous) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = "MYMENU";
    wc.lpszClassName = "My Window";
    RegisterClassA(&wc);
  }
  HWND window = CreateWindowExA(0, "My Window", "Vartolik 1.0", WS_OVERLAPPEDWINDOW, 140, 20, 520,
                                550, nullptr, nullptr, instance, nullptr);
  session.mainWindow = window;
  session.appInstance = instance;
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
