// What the two companion programs share around their windows: the start-up (window class,
// window, message loop) and a paint drawn off screen first. Each program keeps its own window
// procedure, placement and drawing.
#pragma once
#include <windows.h>

struct CompanionWindow {
  const char* className;
  const char* caption;  // Windows-1251
  WNDPROC procedure;
  LPCSTR cursor;  // a system cursor: IDC_ARROW, IDC_HAND
  DWORD style, exStyle;
  int clientWidth, clientHeight;  // the first size; a window may size itself when created
  void (*shown)(HWND window);     // called once the window is shown, or null
};

// Registers the class, opens the window, shows it and runs the message loop until the quit
// request. Returns the program's exit code: the quit request's, or 1 when the class or the
// window could not be made.
int runCompanionWindow(HINSTANCE instance, int showCommand, const CompanionWindow& window);

// The paint of a window whose drawing covers its whole client area: `paint` draws into a
// bitmap of width x height, which is then copied at once, so that hovering does not flicker.
void paintOffScreen(HWND window, int width, int height, void (*paint)(HDC dc));

// A rectangle filled with one colour.
void fillSolid(HDC dc, const RECT& r, COLORREF colour);
