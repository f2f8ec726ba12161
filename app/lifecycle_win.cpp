// Creation and destruction of the main window.
#include "app/window_win.h"

LRESULT onCreate(HWND) { return 0; }

LRESULT onDestroy(HWND) {
  PostQuitMessage(0);
  return 0;
}
