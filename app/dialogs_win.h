// The procedures of the four dialogs and the opening of a modeless one.
#pragma once
#include <windows.h>

// Every dialog opened modeless: SEAR, KEYB, ABT and LANG.
INT_PTR CALLBACK modelessDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// LANG run modal after GO: sets searchLanguage.
INT_PTR CALLBACK languageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the named template modeless, owned by the main window, and makes it the dialog the
// message loop offers messages to first. Returns the dialog (null when it could not be made).
HWND openModelessDialog(const char* templateName);
