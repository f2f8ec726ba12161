// Keyboard, command and mouse input of the main window. Each handler turns input into
// changes of the session state, calls into the query line, the search and the teacher lists,
// and draws immediate feedback (pressed and released controls, the query line, a scrolled
// list) on the window's device context; everything else is left to the next paint by
// invalidating the whole client area. Every handler assigns what a paint reads before it
// opens a modal box, since the box's own loop dispatches paints.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "app/clipboard_win.h"
#include "app/compose_win.h"
#include "app/dialogs_win.h"
#include "app/window_win.h"
#include "base/document_message.h"
#include "base/session_state.h"
#include "draw/dictionary_layout.h"
#include "draw/dictionary_screen_win.h"
#include "draw/gdi_kit.h"
#include "draw/intro_hit.h"
#include "draw/intro_screen.h"
#include "query/query_line.h"
#include "query/query_line_win.h"
#include "res/resource.h"
#include "search/result_list_win.h"
#include "search/search_win.h"
#include "teacher/teacher_lists_win.h"

namespace {

const char kSearchingText[] = "Dictionary searching the word... Please wait";
const char kLaunchCaption[] = "Unfourtunately";

HWND mainWindow() { return static_cast<HWND>(session.mainWindow); }

void invalidate() { InvalidateRect(mainWindow(), nullptr, TRUE); }

void searchBeep() { MessageBeep(MB_ICONASTERISK); }

// Starts a companion program; a result below 32 means it could not be started.
bool launch(const char* program, UINT showMode) { return WinExec(program, showMode) >= 32; }

void launchOrReport(const char* program, const char* failure) {
  if (!launch(program, SW_SHOW)) MessageBoxA(mainWindow(), failure, kLaunchCaption, MB_OK);
}

void startKeyboardSupport() { launchOrReport("kirvu.exe", "Can not find \"kirvu.exe\""); }

void startLemora() { launchOrReport("lemora1.exe", "Can not find \"lemora1.exe\""); }

// Opens the help document with the program associated with its type.
void openHelp(const char* failure) {
  HINSTANCE result = ShellExecuteA(nullptr, nullptr, "helpo.htm", nullptr, nullptr, SW_SHOW);
  const INT_PTR code = reinterpret_cast<INT_PTR>(result);
  if (code <= 32)
    MessageBoxA(mainWindow(),
                documentOpenFailureText(static_cast<long>(code), "helpo.htm", failure).c_str(),
                kLaunchCaption, MB_OK);
}

void openModeless(const char* templateName) { openModelessDialog(templateName); }

bool confirm(const char* question, const char* caption, UINT icon) {
  return MessageBoxA(mainWindow(), question, caption, MB_OKCANCEL | icon) == IDOK;
}

// "Save to teacher": the first word of the first shown result line, paired with the query
// that found the results shown. The query line may hold another word since (a search that
// failed, a tracked copy that found nothing, typing): the pair on the screen is still the one
// that belongs together, so it is saved, and the status line says which Russian word went
// with it.
void saveToTeacher(HDC dc) {
  if (!confirm("Are you shure you want to associate founded left-corner hindi word with the "
               "search word and save it to teacher?",
               "Attention", 0))
    return;
  std::string russian;
  const TeacherStatus status = saveTeacherPair("", &russian);
  if (reportTeacherStatus(mainWindow(), status)) return;
  char note[kMessageTextSize];
  std::snprintf(note, sizeof note, "Saved to the teacher lists with \"%s\"", russian.c_str());
  setStatusNote(session, note);
  if (session.headerStyle == HeaderFull) StatusLine(dc, session.statusNote);
}

// Removes the first shown pair of the teacher lists, after confirmation.
void deleteFromTeacher() {
  if (confirm("Are you shure you want to delete first line from lemora", "Attention !",
              MB_ICONEXCLAMATION))
    reportTeacherStatus(mainWindow(), deleteTeacherPair());
}

void enterTeacherView() {
  session.scrollLine = 0;
  session.viewMode = ViewTeacher;
  setStatusNote(session, "");
}

// The search started from Enter or a search button; true when the dictionary was read. The
// status line goes back to the search's own text.
bool runSearch() {
  setStatusNote(session, "");
  if (!searchDictionary()) return false;
  searchBeep();
  return true;
}

// After a change of the search language: the full header shows the new language, the
// compact one only its query line font.
void showLanguage(HDC dc) {
  if (session.headerStyle == HeaderFull)
    paintFullHeader(dc);
  else
    drawQueryLine(dc);
}

bool onDictionaryScreen() { return session.dictionaryActive == 1; }

// The status line tells of every change of the search language.
void noteLanguage(int32_t language) { setStatusNote(session, languageNote(language)); }

// ---- Commands -----------------------------------------------------------------------------

// The search language changes only on the dictionary screen, and is shown at once.
void setLanguage(HDC dc, int32_t language) {
  if (!onDictionaryScreen()) return;
  if (language != session.searchLanguage) noteLanguage(language);
  session.searchLanguage = language;
  showLanguage(dc);
}

void cmdChangeLanguage(HDC dc) { setLanguage(dc, !session.searchLanguage); }
void cmdLanguageHindi(HDC dc) { setLanguage(dc, 1); }
void cmdLanguageRussian(HDC dc) { setLanguage(dc, 0); }
void cmdKeyboard(HDC) { startKeyboardSupport(); }
void cmdAbout(HDC) { openModeless("ABT"); }
void cmdLemora(HDC) { startLemora(); }
void cmdTeacherViewDelete(HDC) {
  if (session.viewMode == ViewTeacher)
    deleteFromTeacher();
  else if (onDictionaryScreen())
    enterTeacherView();
  else
    return;
  invalidate();
}
void cmdSaveToTeacher(HDC dc) {
  if (session.viewMode == ViewResults) saveToTeacher(dc);
}
void cmdTitleBar(HDC) {
  if (!onDictionaryScreen()) return;
  session.headerStyle = !session.headerStyle;
  invalidate();
}
void cmdQuantityOfWords(HDC dc) {
  if (onDictionaryScreen() && session.headerStyle == HeaderFull) StatusLine(dc, "Wait: counting");
  countDictionaryLines(dc);
  MessageBoxA(mainWindow(), session.messageText, "How much words", MB_OK);
  // The count put the list back to its first line: show it there, as F3 now takes it.
  if (onDictionaryScreen()) invalidate();
}
void cmdHelp(HDC) { openHelp("Can not find \"helpo.htm\""); }
void cmdLanguageDialog(HDC) { openModeless("LANG"); }
void cmdTrackClipboard(HDC) { toggleClipboardTracking(mainWindow()); }
// The keyboard support is about to type a Hindi code: a Russian line gives way to Hindi, as
// it does to pasted Devanagari.
void cmdTypeHindi(HDC dc) {
  if (!onDictionaryScreen() || session.searchLanguage == 1) return;
  session.queryLength = session.caretIndex = 0;
  setLanguage(dc, 1);  // redraws the header or the line
}

struct CommandRow {
  int id;
  void (*run)(HDC dc);
};

const CommandRow kCommands[] = {
    {IDM_CHANGE_LANGUAGE, cmdChangeLanguage},
    {IDM_KEYBOARD_HELP, cmdKeyboard},
    {IDM_LANGUAGE_HINDI, cmdLanguageHindi},
    {IDM_LANGUAGE_RUSSIAN, cmdLanguageRussian},
    {IDM_KEYBOARD_SUPPORT, cmdKeyboard},
    {IDM_ABOUT, cmdAbout},
    {IDM_LEMORA, cmdLemora},
    {IDM_TEACHER_VIEW_DELETE, cmdTeacherViewDelete},
    {IDM_SAVE_TO_TEACHER, cmdSaveToTeacher},
    {IDM_TITLE_BAR, cmdTitleBar},
    {IDM_QUANTITY_OF_WORDS, cmdQuantityOfWords},
    {IDM_HELP_ON_DICTIONARY, cmdHelp},
    {IDM_LANGUAGE_DIALOG, cmdLanguageDialog},
    {IDM_TRACK_CLIPBOARD, cmdTrackClipboard},
    {IDM_TYPE_HINDI, cmdTypeHindi},
};

// ---- Scroll keys --------------------------------------------------------------------------

// Moves the result list for a scroll key; false when the key is not a scroll key or its
// floor blocks it.
bool scrollResults(WPARAM key) {
  int& line = session.scrollLine;
  switch (key) {
    case VK_UP:
      if (line <= 0) return false;
      line -= 1;
      break;
    case VK_DOWN: line += 1; break;
    case VK_PRIOR:
      if (line <= 10) return false;
      line -= 10;
      break;
    case VK_NEXT: line += 10; break;
    default: return false;
  }
  session.viewMode = ViewResults;
  return true;
}

void scrollTeacherLists(WPARAM key) {
  int& line = session.scrollLine;
  if (key == VK_UP && line > 0) line -= 1;
  if (key == VK_DOWN) line += 1;
  if (key == VK_PRIOR && line > 10) line -= 10;
  if (key == VK_NEXT) line += 10;
}

// A scroll key applied `steps` times to the list shown, which is redrawn once. The result
// list: true when it moved (the key is then used up). The teacher lists are redrawn
// whatever the key (every key in that view redraws them); false.
bool scrollView(HDC dc, WPARAM key, int steps) {
  const bool pane = paneHasArea(currentPane(session));
  if (session.viewMode != ViewTeacher) {
    bool moved = false;
    for (int i = 0; i < steps; ++i) moved = scrollResults(key) || moved;
    if (moved) redrawResults(dc);
    return moved;
  }
  for (int i = 0; i < steps; ++i) scrollTeacherLists(key);
  if (pane) {
    SetBkMode(dc, TRANSPARENT);
    clearResultsPane(dc);
    drawTeacherLists(dc);
  }
  return false;
}

// ---- Mouse: the full header's controls -----------------------------------------------------

HeaderControl fullControl(int which) {
  return fullHeaderControl(which, session.clientWidth, session.clientHeight, session.titleX,
                           session.searchLanguage);
}

void toggleLanguage() {
  session.searchLanguage = !session.searchLanguage;
  noteLanguage(session.searchLanguage);
}

void actOnFullHeader(HDC dc, int which) {
  switch (which) {
    case FullSearch:
      StatusLine(dc, kSearchingText);
      // The list starts at its first line whatever the outcome; set before the search,
      // whose failure box dispatches paints.
      session.scrollLine = 0;
      if (runSearch())
        session.viewMode = ViewResults;
      else
        invalidate();
      break;
    case FullLanguage:
    case FullAnotherLanguage: toggleLanguage(); break;
    case FullKeyboard:
      if (!launch("kirvu.exe", SW_SHOW)) {
        MessageBoxA(mainWindow(), "Can not find \"kirvu.exe\"", kLaunchCaption, MB_OK);
        invalidate();
      }
      break;
    case FullOptions: openModeless("SEAR"); break;
    case FullWait:
      session.dictionaryActive = 0;
      invalidate();
      break;
    case FullExit:
      // Shutdown runs without the window being destroyed first; it releases everything once
      // and posts the quit request. The kit's font must not stay selected here while the
      // shutdown deletes it.
      SelectObject(dc, GetStockObject(SYSTEM_FONT));
      SendMessageA(mainWindow(), WM_DESTROY, 0, 0);
      break;
    default: break;
  }
}

// Every control is tested in turn, also after one was hit; each hit is drawn pressed and
// then acts.
void pressFullHeader(HDC dc, int x, int y) {
  for (int which = 0; which < kFullControlCount; ++which) {
    const HeaderControl control = fullControl(which);
    if (!controlHit(control, x, y)) continue;
    drawHeaderControl(dc, control, true);
    if (control.code != PressedNothing) session.pressedControl = control.code;
    actOnFullHeader(dc, which);
  }
}

void pressCompactToolbar(HDC dc, int x, int y) {
  session.pressedControl = compactToolbarHitTest(dc, x, y);
  switch (session.pressedControl) {
    case 1:
      session.scrollLine = 0;
      if (runSearch()) session.viewMode = ViewResults;
      invalidate();
      break;
    case 2: openModeless("KEYB"); break;
    case 3: openModeless("SEAR"); break;
    case 4: toggleLanguage(); break;
    default: break;
  }
}

void releaseFullHeader(HDC dc) {
  switch (session.pressedControl) {
    case PressedRaiseThree:
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, kit.fontUi);
      SetTextColor(dc, colourLabel);
      for (int which : {FullOptions, FullSameLanguage, FullKeyboard})
        drawHeaderControl(dc, fullControl(which), false);
      break;
    case PressedLanguage:
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, kit.fontUi);
      SetTextColor(dc, colourLabel);
      drawHeaderControl(dc, fullControl(FullAnotherLanguage), false);
      paintFullHeader(dc);
      session.pressedControl = PressedNothing;
      break;
    case PressedSearch:
      invalidate();
      session.pressedControl = PressedNothing;
      break;
    default: break;
  }
}

void releaseIntro(HDC dc) {
  drawIntroControlsReleased(dc);
  if (session.pressedControl == IntroHelp) openHelp("Can not open \"helpo.htm\"");
  if (session.pressedControl == IntroLearn) startLemora();
}

}  // namespace

LRESULT onKeyDown(HWND window, WPARAM key) {
  if (!onDictionaryScreen() || clipboardKeyDown(window, key)) return 0;
  HDC dc = GetDC(window);
  editQueryLine(session, 1, static_cast<int>(key));
  if (scrollView(dc, key, 1)) {
    drawQueryLine(dc);
    ReleaseDC(window, dc);
    return 0;
  }
  switch (key) {
    case VK_F5: launch("kirvu.exe", SW_SHOWNORMAL); break;
    case VK_F3:
      if (session.viewMode == ViewResults) saveToTeacher(dc);
      break;
    case VK_F6:
      if (session.viewMode == ViewTeacher)
        deleteFromTeacher();
      else
        enterTeacherView();
      invalidate();
      break;
    default: break;
  }
  drawQueryLine(dc);
  ReleaseDC(window, dc);
  return 0;
}

bool searchAsEnter(HDC dc) {
  if (session.headerStyle == HeaderFull) StatusLine(dc, kSearchingText);
  const bool searched = runSearch();
  if (searched) {
    session.scrollLine = 0;
    session.viewMode = ViewResults;
  }
  invalidate();
  return searched;
}

LRESULT onChar(HWND window, WPARAM character) {
  if (!onDictionaryScreen() || isClipboardCharacter(character)) return 0;
  HDC dc = GetDC(window);
  if (character == 13) {
    searchAsEnter(dc);
  } else if (character == 27) {
    session.viewMode = ViewPrompt;
    setStatusNote(session, "");
    invalidate();
  }
  editQueryLine(session, static_cast<int>(character), 0);
  drawQueryLine(dc);
  ReleaseDC(window, dc);
  return 0;
}

// Each notch of the wheel scrolls the list shown by three lines, as three presses of Up or
// Down would; a wheel with finer steps scrolls a line per third of a notch.
LRESULT onMouseWheel(HWND window, WPARAM wParam) {
  if (!onDictionaryScreen()) return 0;
  const int lines = wheelScrollLines(GET_WHEEL_DELTA_WPARAM(wParam));
  if (lines == 0) return 0;
  HDC dc = GetDC(window);
  scrollView(dc, lines > 0 ? VK_UP : VK_DOWN, lines > 0 ? lines : -lines);
  drawQueryLine(dc);
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam) {
  const int id = LOWORD(wParam);
  HDC dc = GetDC(window);
  if (id >= IDM_SUBSTRING && id <= IDM_PHONETIC) session.matchMode = id - IDM_SUBSTRING;
  for (const CommandRow& row : kCommands) {
    if (row.id == id) {
      row.run(dc);
      break;
    }
  }
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onLButtonDown(HWND window, LPARAM lParam) {
  const int x = LOWORD(lParam), y = HIWORD(lParam);
  // The release must come here even outside the window, or a control stays drawn pressed.
  // A modal box or dialog opened by the press takes the capture away again (disabling the
  // window cancels it).
  SetCapture(window);
  HDC dc = GetDC(window);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontUi);
  session.pressedControl = 0;
  if (!onDictionaryScreen()) {
    session.pressedControl = introHitTest(dc, x, y);
    if (session.pressedControl == IntroGo) {
      // The paint behind the language dialog must already see the dictionary screen.
      session.dictionaryActive = 1;
      invalidate();
      SendMessageA(window, UM_CHOOSELANGUAGE, 0, 0);
    }
    ReleaseDC(window, dc);
    return 0;
  }
  // A press strictly inside the query field's frame places the caret.
  const QueryLineGeometry field = queryLineGeometry(session.headerStyle, session.clientWidth);
  if (field.frameLeft < x && x < field.frameRight && field.frameTop < y && y < field.frameBottom) {
    session.caretIndex = caretIndexAtX(dc, x);
    drawQueryLine(dc);
  }
  if (session.headerStyle == HeaderCompact)
    pressCompactToolbar(dc, x, y);
  else
    pressFullHeader(dc, x, y);
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onLButtonUp(HWND window, LPARAM) {
  if (GetCapture() == window) ReleaseCapture();
  HDC dc = GetDC(window);
  if (onDictionaryScreen()) {
    if (session.headerStyle == HeaderCompact)
      paintCompactToolbar(dc);
    else
      releaseFullHeader(dc);
  } else if (session.pressedControl != 0) {
    releaseIntro(dc);
  }
  ReleaseDC(window, dc);
  return 0;
}
