// Entry of lemora1.exe, the teaching program: drills the word pairs that the dictionary saved
// to its teacher lists.
#include <windows.h>

#include "companions/companion_window_win.h"
#include "companions/lemora/lemora_texts.h"
#include "companions/lemora/lemora_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  const CompanionWindow window = {"Vartolik Lemora",
                                  kTextCaption,
                                  lemoraWindowProc,
                                  IDC_ARROW,
                                  WS_OVERLAPPEDWINDOW,
                                  0,
                                  600,
                                  480,
                                  nullptr};
  return runCompanionWindow(instance, showCommand, window);
}
