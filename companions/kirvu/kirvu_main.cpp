// Entry of kirvu.exe, the Hindi keyboard support: one small window that stays above the
// dictionary.
#include <windows.h>

#include "companions/companion_window_win.h"
#include "companions/kirvu/kirvu_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The window sizes itself to the chart when it is created, and stays above the dictionary
  // (only) once shown.
  const CompanionWindow window = {"Vartolik Kirvu",
                                  kirvuCaption(),
                                  kirvuWindowProc,
                                  IDC_HAND,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  0,
                                  640,
                                  480,
                                  keepAboveDictionary};
  return runCompanionWindow(instance, showCommand, window);
}
