// Composition of every paint from the session state.
#include "app/window_win.h"

LRESULT onPaint(HWND window) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  EndPaint(window, &ps);
  return 0;
}

LRESULT onChooseLanguage(HWND) { return 0; }
