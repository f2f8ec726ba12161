#include "app/window.h"

#include "app/session_state.h"

namespace {

LRESULT onDestroy(HWND) {
  PostQuitMessage(0);
  return 0;
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      return onDestroy(window);
    case WM_RBUTTONDOWN:
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
