// Composition of every paint from the session state: the intro screen, or the dictionary
// screen in its full or compact layout with the pane showing the canvas prompt, the result
// list or the teacher lists. Also the language choice that follows a press on GO.
#include "app/compose_win.h"

#include "app/dialogs_win.h"
#include "app/window_win.h"
#include "base/session_state.h"
#include "draw/dictionary_layout.h"
#include "draw/dictionary_screen_win.h"
#include "draw/gdi_kit.h"
#include "draw/intro_screen.h"
#include "search/result_list_win.h"
#include "teacher/teacher_lists_win.h"

namespace {

// The canvas is 521 x 350; its last two columns are never shown.
constexpr int kCanvasShownWidth = 519;
constexpr int kCanvasHeight = 350;
constexpr int kCanvasBandHeight = 30;

void stretchCanvas(HDC dc, int sourceHeight) {
  const PaneRect pane = currentPane(session);
  // A negative height would mirror the canvas band over the header.
  if (!paneHasArea(pane)) return;
  StretchBlt(dc, pane.left, pane.top, pane.width, pane.height, kit.canvasDc, 0, 0,
             kCanvasShownWidth, sourceHeight, SRCCOPY);
}

}  // namespace

int promptFill(HDC dc) {
  stretchCanvas(dc, kCanvasHeight);
  return 1;
}

int resultsFill(HDC dc) {
  stretchCanvas(dc, kCanvasBandHeight);
  return 1;
}

int redrawResults(HDC dc) {
  if (!paneHasArea(currentPane(session))) return 0;
  resultsFill(dc);
  drawResultList(dc);
  return 1;
}

int composeScreen(HDC dc) {
  if (session.dictionaryActive != 1) {
    // The intro screen has fixed coordinates and ignores the client size.
    paintIntroScreen(dc);
    return 1;
  }
  if (session.headerStyle == HeaderFull) {
    paintFullDictionaryScreen(dc);
  } else {
    paintCompactDictionaryScreen(dc);
  }
  if (session.clientHeight > kPaneMinHeight) {
    switch (session.viewMode) {
      case ViewPrompt: promptFill(dc); break;
      case ViewResults: redrawResults(dc); break;
      case ViewTeacher: drawTeacherLists(dc); break;
      default: break;
    }
  }
  return 1;
}

LRESULT onPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  session.clientWidth = client.right - client.left;
  session.clientHeight = client.bottom - client.top;
  composeScreen(dc);
  EndPaint(window, &ps);
  return 0;
}

// The language choice after GO. The press has already marked the dictionary screen active
// and invalidated the window, so the dialog's modal loop paints that screen behind it.
LRESULT onChooseLanguage(HWND window) {
  HDC dc = GetDC(window);
  DialogBoxParamA(static_cast<HINSTANCE>(session.appInstance), "LANG", window, languageDialogProc,
                  0);
  // The bytes stay; only the length and the caret go back to the start.
  session.queryLength = 0;
  session.caretIndex = 0;
  setStatusNote(session, "");
  paintFullHeader(dc);
  ReleaseDC(window, dc);
  return 0;
}
