// The main window procedure and the handlers it dispatches to, one per message.
#pragma once
#include <windows.h>

// Application-private message: the language choice that follows a press on GO.
constexpr UINT UM_CHOOSELANGUAGE = WM_APP + 1;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
