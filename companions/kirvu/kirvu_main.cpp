// Entry of kirvu.exe, the Hindi keyboard support: one small window that stays on top of the
// dictionary.
#include <windows.h>

#include "companions/companion_window_win.h"
#include "companions/kirvu/kirvu_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The window sizes itself to the chart when it is created.
  const CompanionWindow window = {"Vartolik Kirvu",
                                  kirvuCaption(),
                                  kirvuWindowProc,
                                  IDC_HAND,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  WS_EX_TOPMOST,
                                  640,
                                  480};
  return runCompanionWindow(instance, showCommand, window);
}
