#include "app/window_win.h"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_DESTROY: return onDestroy(window);
    case WM_PAINT: return onPaint(window);
    case UM_CHOOSELANGUAGE: return onChooseLanguage(window);
    case WM_KEYDOWN: return onKeyDown(window, wParam);
    case WM_CHAR: return onChar(window, wParam);
    case WM_COMMAND: return onCommand(window, wParam);
    case WM_LBUTTONDOWN: return onLButtonDown(window, lParam);
    case WM_LBUTTONUP: return onLButtonUp(window, lParam);
    case WM_MOUSEWHEEL: return onMouseWheel(window, wParam);
    case WM_RBUTTONDOWN: return 0;
    case WM_CLIPBOARDUPDATE: return onClipboardUpdate(window);
    case WM_ENABLE: return onEnable(window, wParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
