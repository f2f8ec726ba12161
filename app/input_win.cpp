// Keyboard, command and mouse input of the main window. Each handler turns input into
// changes of the session state, calls into the query line, the search and the teacher lists,
// and draws immediate feedback (pressed and released controls, the query line, a scrolled
// list) on the window's device context; everything else is left to the next paint by
// invalidating the whole client area. Every handler assigns what a paint reads before it
// opens a modal box, since the box's own loop dispatches paints.
#include <windows.h>
#include <shellapi.h>

#include "app/clipboard_win.h"
#include "app/compose_win.h"
#include "app/dialogs_win.h"
#include "app/session_state.h"
#include "app/window_win.h"
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
const char kLongKeyboardLabel[] = "Click here to type with the help of keyboard support (hindi)";
const char kShortKeyboardLabel[] = "Keyboard support";
const char kSameLanguage[] = "Yes, in the same language.";
const char kAnotherLanguage[] = "Yes, in another language.";
const char kLaunchCaption[] = "Unfourtunately";

HWND mainWindow() { return static_cast<HWND>(session.mainWindow); }

void invalidate() { InvalidateRect(mainWindow(), nullptr, TRUE); }

void text(HDC dc, int x, int y, const char* s) { TextOutA(dc, x, y, s, lstrlenA(s)); }

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
  if (reinterpret_cast<INT_PTR>(result) <= 32)
    MessageBoxA(mainWindow(), failure, kLaunchCaption, MB_OK);
}

void openModeless(const char* templateName) { openModelessDialog(templateName); }

bool confirm(const char* question, const char* caption, UINT icon) {
  return MessageBoxA(mainWindow(), question, caption, MB_OKCANCEL | icon) == IDOK;
}

// "Save to teacher": the first word of the first shown result line, paired with the query.
void saveToTeacher() {
  if (!confirm("Are you shure you want to associate founded left-corner hindi word with the "
               "search word and save it to teacher?",
               "Attention", 0))
    return;
  reportTeacherStatus(mainWindow(), saveTeacherPair());
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
}

// The search started from Enter or a search button; true when the dictionary was read.
bool runSearch() {
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

// ---- Commands -----------------------------------------------------------------------------

// The search language changes only on the dictionary screen, and is shown at once.
void setLanguage(HDC dc, int32_t language) {
  if (!onDictionaryScreen()) return;
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
void cmdSaveToTeacher(HDC) {
  if (session.viewMode == ViewResults) saveToTeacher();
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
}
void cmdHelp(HDC) { openHelp("Can not find \"helpo.htm\""); }
void cmdLanguageDialog(HDC) { openModeless("LANG"); }
void cmdTrackClipboard(HDC) { toggleClipboardTracking(mainWindow()); }

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

// ---- Mouse: the full header's controls -----------------------------------------------------

bool inside(int v, int low, int high) { return low < v && v < high; }

void pressedLabel(HDC dc, int x, int y, const char* s, COLORREF colour) {
  SetTextColor(dc, colour);
  text(dc, x, y, s);
}

const char* keyboardLabel(int cw) { return cw > 370 ? kLongKeyboardLabel : kShortKeyboardLabel; }

void pressFullHeader(HDC dc, int x, int y) {
  const int cw = session.clientWidth, ch = session.clientHeight;
  if (inside(x, cw - 90, cw - 30) && inside(y, 50, 75)) {
    SunkenFrame(dc, cw - 90, 50, cw - 30, 75);
    pressedLabel(dc, cw - 80, 53, "Search", colourAction);
    session.pressedControl = 1;
    StatusLine(dc, kSearchingText);
    // The list starts at its first line whatever the outcome; set before the search, whose
    // failure box dispatches paints.
    session.scrollLine = 0;
    if (runSearch())
      session.viewMode = ViewResults;
    else
      invalidate();
  }
  if (inside(x, cw - 60, cw - 10) && inside(y, 26, 47)) {
    SunkenFrame(dc, cw - 60, 26, cw - 10, 47);
    if (session.searchLanguage == 0)
      pressedLabel(dc, cw - 51, 27, "Hindi", paletteColour(2 + session.searchLanguage));
    else
      pressedLabel(dc, cw - 59, 27, "Russian", paletteColour(2 + session.searchLanguage));
    session.pressedControl = 3;
    session.searchLanguage = !session.searchLanguage;
  }
  if (inside(x, 10, cw - 10) && inside(y, 80, 100)) {
    SunkenFrame(dc, 10, 80, cw - 10, 100);
    pressedLabel(dc, session.titleX + 5, 81, keyboardLabel(cw), colourLabel);
    session.pressedControl = 2;
    if (!launch("kirvu.exe", SW_SHOW)) {
      MessageBoxA(mainWindow(), "Can not find \"kirvu.exe\"", kLaunchCaption, MB_OK);
      invalidate();
    }
  }
  if (inside(x, cw - 30, cw - 10) && inside(y, 50, 75)) {
    SunkenFrame(dc, cw - 30, 50, cw - 10, 75);
    DownArrowGlyph(dc, cw - 24, 61);
    session.pressedControl = 2;
    openModeless("SEAR");
  }
  if (inside(x, 10, 175) && inside(y, ch - 31, ch - 8)) {
    SunkenFrame(dc, 10, ch - 31, 175, ch - 8);
    pressedLabel(dc, 17, ch - 29, kSameLanguage, colourLabel);
    session.pressedControl = 2;
  }
  if (inside(x, 185, 350) && inside(y, ch - 31, ch - 8)) {
    SunkenFrame(dc, 185, ch - 31, 350, ch - 8);
    pressedLabel(dc, 192, ch - 29, kAnotherLanguage, colourLabel);
    session.pressedControl = 3;
    session.searchLanguage = !session.searchLanguage;
  }
  if (cw > 450 && inside(x, cw - 100, cw - 60) && inside(y, ch - 31, ch - 8)) {
    SunkenFrame(dc, cw - 100, ch - 31, cw - 60, ch - 8);
    pressedLabel(dc, cw - 95, ch - 29, "Wait", colourLabel);
    session.dictionaryActive = 0;
    invalidate();
  }
  if (cw > 450 && inside(x, cw - 50, cw - 10) && inside(y, ch - 31, ch - 8)) {
    SunkenFrame(dc, cw - 50, ch - 31, cw - 10, ch - 8);
    pressedLabel(dc, cw - 45, ch - 29, "Exit", colourLabel);
    // Shutdown runs without the window being destroyed first; it releases everything once
    // and posts the quit request. The kit's font must not stay selected here while the
    // shutdown deletes it.
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SendMessageA(mainWindow(), WM_DESTROY, 0, 0);
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
    case 4: session.searchLanguage = !session.searchLanguage; break;
    default: break;
  }
}

void releaseFullHeader(HDC dc) {
  const int cw = session.clientWidth, ch = session.clientHeight;
  switch (session.pressedControl) {
    case 2:
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, kit.fontUi);
      SetTextColor(dc, colourLabel);
      RaisedFrame(dc, cw - 30, 50, cw - 10, 75);
      DownArrowGlyph(dc, cw - 25, 60);
      RaisedFrame(dc, 10, ch - 31, 175, ch - 8);
      text(dc, 16, ch - 30, kSameLanguage);
      RaisedFrame(dc, 10, 80, cw - 10, 100);
      text(dc, session.titleX + 4, 80, keyboardLabel(cw));
      break;
    case 3:
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, kit.fontUi);
      SetTextColor(dc, colourLabel);
      RaisedFrame(dc, 185, ch - 31, 350, ch - 8);
      text(dc, 193, ch - 30, kAnotherLanguage);
      paintFullHeader(dc);
      session.pressedControl = 0;
      break;
    case 1:
      invalidate();
      session.pressedControl = 0;
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
  if (session.viewMode != ViewTeacher) {
    if (scrollResults(key)) {
      redrawResults(dc);
      drawQueryLine(dc);
      ReleaseDC(window, dc);
      return 0;
    }
  } else {
    SetBkMode(dc, TRANSPARENT);
    scrollTeacherLists(key);
    clearResultsPane(dc);
    drawTeacherLists(dc);
  }
  switch (key) {
    case VK_F5: launch("kirvu.exe", SW_SHOWNORMAL); break;
    case VK_F3:
      if (session.viewMode == ViewResults) saveToTeacher();
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
    invalidate();
  }
  editQueryLine(session, static_cast<int>(character), 0);
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
  const int h = session.headerStyle;
  if (inside(x, 10, session.clientWidth - 50 * h - 100) && inside(y, 50 - 40 * h, 75 - 40 * h)) {
    session.caretIndex = caretIndexAtX(dc, x);
    drawQueryLine(dc);
  }
  if (h == HeaderCompact)
    pressCompactToolbar(dc, x, y);
  else
    pressFullHeader(dc, x, y);
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onLButtonUp(HWND window, LPARAM) {
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
