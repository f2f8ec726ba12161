// Keyboard, command and mouse input of the main window.
#include "app/window_win.h"

LRESULT onKeyDown(HWND, WPARAM) { return 0; }
LRESULT onChar(HWND, WPARAM) { return 0; }
LRESULT onCommand(HWND, WPARAM) { return 0; }
LRESULT onLButtonDown(HWND, LPARAM) { return 0; }
LRESULT onLButtonUp(HWND, LPARAM) { return 0; }
