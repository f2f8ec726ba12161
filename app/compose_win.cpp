// Composition of every paint from the session state.
#include "app/dialogs_win.h"
#include "app/session_state.h"
#include "app/window_win.h"
#include "draw/intro_screen.h"

LRESULT onPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  session.clientWidth = client.right - client.left;
  session.clientHeight = client.bottom - client.top;
  if (session.dictionaryActive == 0) paintIntroScreen(dc);
  EndPaint(window, &ps);
  return 0;
}

// The language choice that follows GO: the modal language dialog, then an empty query.
LRESULT onChooseLanguage(HWND window) {
  DialogBoxParamA(static_cast<HINSTANCE>(session.appInstance), "LANG", window, languageDialogProc,
                  0);
  session.queryLength = 0;
  session.caretIndex = 0;
  return 0;
}
