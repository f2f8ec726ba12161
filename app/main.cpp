// Program entry: registers the main window class, opens the one main window and runs the
// message loop until the quit request.
#include <windows.h>

#include "app/window_win.h"
#include "base/session_state.h"
#include "draw/gdi_kit.h"

namespace {

// Without its window the program has nothing to show and no way to end: say so and stop.
int startupFailed(const char* text) {
  MessageBoxA(nullptr, text, "Vartolik 1.0", MB_OK | MB_ICONERROR);
  return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  if (!previous) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MYICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = "MYMENU";
    wc.lpszClassName = "My Window";
    if (!RegisterClassA(&wc))
      return startupFailed("Can not register the main window class. The program ends.");
  }
  // WM_CREATE runs inside this call: the kit, the result buffer and the canvas exist after it.
  HWND window = CreateWindowExA(0, "My Window", "Vartolik 1.0", WS_OVERLAPPEDWINDOW, 140, 20, 520,
                                550, nullptr, nullptr, instance, nullptr);
  if (!window) return startupFailed("Can not create the main window. The program ends.");
  session.mainWindow = window;
  session.appInstance = instance;
  kit.textureBitmap = LoadBitmapA(instance, "MYBP");
  HACCEL accelerators = LoadAcceleratorsA(instance, "MYMENU");
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  // A message goes first to the current modeless dialog, then to the accelerators, and only
  // then is translated and dispatched.
  MSG msg = {};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    HWND dialog = static_cast<HWND>(session.modelessDialog);
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    if (TranslateAcceleratorA(window, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  const int exitCode = static_cast<int>(msg.wParam);
  // The Exit button ends the loop without destroying the window; take it down now, while the
  // program still runs, rather than leave it to the process's end. Its WM_DESTROY finds the
  // resources already released.
  if (IsWindow(window)) DestroyWindow(window);
  return exitCode;
}
