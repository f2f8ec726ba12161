// Keyboard, command and mouse input of the main window.
#include <windows.h>
#include <shellapi.h>

#include "app/session_state.h"
#include "app/window_win.h"
#include "draw/gdi_kit.h"
#include "draw/intro_hit.h"
#include "draw/intro_screen.h"

LRESULT onKeyDown(HWND, WPARAM) { return 0; }
LRESULT onChar(HWND, WPARAM) { return 0; }
LRESULT onCommand(HWND, WPARAM) { return 0; }

LRESULT onLButtonDown(HWND window, LPARAM lParam) {
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  HDC dc = GetDC(window);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontUi);
  session.pressedControl = 0;
  if (session.dictionaryActive == 0) {
    session.pressedControl = introHitTest(dc, x, y);
    if (session.pressedControl == IntroGo) {
      // The paint behind the language dialog must already see the dictionary screen.
      session.dictionaryActive = 1;
      InvalidateRect(window, nullptr, TRUE);
      SendMessageA(window, UM_CHOOSELANGUAGE, 0, 0);
    }
  }
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onLButtonUp(HWND window, LPARAM) {
  HDC dc = GetDC(window);
  if (session.dictionaryActive == 0 && session.pressedControl != 0) {
    drawIntroControlsReleased(dc);
    if (session.pressedControl == IntroHelp) {
      const HINSTANCE result = ShellExecuteA(nullptr, nullptr, "helpo.htm", nullptr, nullptr, SW_SHOW);
      if (reinterpret_cast<INT_PTR>(result) <= 32)
        MessageBoxA(window, "Can not open \"helpo.htm\"", "Unfourtunately", MB_OK);
    } else if (session.pressedControl == IntroLearn) {
      if (WinExec("lemora1.exe", SW_SHOW) < 32)
        MessageBoxA(window, "Can not find \"lemora1.exe\"", "Unfourtunately", MB_OK);
    }
  }
  ReleaseDC(window, dc);
  return 0;
}
