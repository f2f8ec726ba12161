// Dialog procedures: the search options set the match mode the moment a radio button is
// clicked, the language dialog sets the search language; the others only show something.
#include "app/dialogs_win.h"

#include "base/session_state.h"
#include "res/resource.h"

INT_PTR CALLBACK modelessDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      // Only SEAR has the radio buttons; in the other dialogs this finds no control.
      SendDlgItemMessageA(dialog, IDM_SUBSTRING + session.matchMode, BM_SETCHECK, BST_CHECKED, 0);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDM_SUBSTRING && id <= IDM_PHONETIC) session.matchMode = id - IDM_SUBSTRING;
      switch (id) {
        case IDCANCEL: DestroyWindow(dialog); return TRUE;
        // A modeless dialog is ended by destroying it; EndDialog would only hide it.
        case IDC_ABOUT_OK: DestroyWindow(dialog); return TRUE;
        // The language dialog opened modeless (F1): its buttons choose the language as the
        // modal one does, close it and let the main window show the choice.
        case IDC_LANG_HINDI:
        case IDC_LANG_RUSSIAN:
          session.searchLanguage = id == IDC_LANG_HINDI ? 1 : 0;
          DestroyWindow(dialog);
          InvalidateRect(static_cast<HWND>(session.mainWindow), nullptr, TRUE);
          return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

INT_PTR CALLBACK languageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_LANG_RUSSIAN:
      session.searchLanguage = 0;
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_LANG_HINDI:
      session.searchLanguage = 1;
      EndDialog(dialog, 0);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
  }
}

HWND openModelessDialog(const char* templateName) {
  HWND dialog = CreateDialogParamA(static_cast<HINSTANCE>(session.appInstance), templateName,
                                   static_cast<HWND>(session.mainWindow), modelessDialogProc, 0);
  session.modelessDialog = dialog;
  return dialog;
}
