// The main window procedure and the handlers it dispatches to, one per message.
#pragma once
#include <windows.h>

// Application-private message: the language choice that follows a press on GO.
constexpr UINT UM_CHOOSELANGUAGE = WM_APP + 1;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creation and destruction (app/lifecycle_win.cpp).
LRESULT onCreate(HWND window);
LRESULT onDestroy(HWND window);
// Painting and the language choice after GO (app/compose_win.cpp).
LRESULT onPaint(HWND window);
LRESULT onChooseLanguage(HWND window);
// Keyboard, commands and mouse (app/input_win.cpp).
LRESULT onKeyDown(HWND window, WPARAM virtualKey);
LRESULT onChar(HWND window, WPARAM character);
LRESULT onCommand(HWND window, WPARAM wParam);
LRESULT onLButtonDown(HWND window, LPARAM lParam);
LRESULT onLButtonUp(HWND window, LPARAM lParam);
LRESULT onMouseWheel(HWND window, WPARAM wParam);
// A change of the clipboard while tracking it, and a copy that waited for a box to close
// (app/clipboard_win.cpp).
LRESULT onClipboardUpdate(HWND window);
LRESULT onEnable(HWND window, WPARAM enabled);

// The search that Enter starts: status text, search, beep, results view; true when the
// dictionary was read. Also run for a word looked up from the clipboard.
bool searchAsEnter(HDC dc);
