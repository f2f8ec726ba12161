// A console helper for the companion end-to-end tests, run under Wine beside the programs.
//
//   companion_driver record FILE SECONDS   opens a window of the dictionary's class
//                                         "My Window" and writes every WM_CHAR it receives as
//                                         a hex byte line, every WM_KEYDOWN as "K" + hex key
//   companion_driver click TOKEN...        clicks the keyboard support window: a token is a
//                                         code in hex (the key half or panel cell that types
//                                         it), "back" or "enter"
//   companion_driver where TOKEN...        prints, one line per token, the screen point
//                                         (x y) that a click at types it, for clicking there
//                                         with the real mouse
//   companion_driver close                 closes the keyboard support window
//   companion_driver message               prints the text of the keyboard support's message
//                                         box (hex bytes) and closes it; exit 1 when none
//
// Exit code 0 on success, 1 when a window is missing, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "companions/kirvu/keyboard_chart.h"
#include "companions/kirvu/kirvu_win.h"

namespace {

FILE* record = nullptr;

LRESULT CALLBACK recorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && record) {
    std::fprintf(record, "%02X\n", static_cast<unsigned>(wParam & 0xFF));
    std::fflush(record);
    return 0;
  }
  if (message == WM_KEYDOWN && record) {
    std::fprintf(record, "K%02X\n", static_cast<unsigned>(wParam & 0xFF));
    std::fflush(record);
    return 0;
  }
  if (message == WM_TIMER) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int runRecorder(const char* path, int seconds) {
  record = std::fopen(path, "w");
  if (!record) return 2;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = recorderProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kDictionaryClass;
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, kDictionaryClass, "recorder", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return 1;
  SetTimer(window, 1, seconds * 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  std::fclose(record);
  return 0;
}

HWND waitForKeyboardSupport() {
  for (int i = 0; i < 100; ++i) {
    HWND w = FindWindowA("Vartolik Kirvu", nullptr);
    if (w) return w;
    Sleep(100);
  }
  return nullptr;
}

bool pointFor(const KeyboardChart& chart, const char* token, POINT& p) {
  if (std::strcmp(token, "back") == 0 || std::strcmp(token, "enter") == 0) {
    int action = token[0] == 'b' ? ChartBackspace : ChartEnter;
    for (const ChartButton& b : chart.buttons)
      if (b.action == action) {
        p = {(b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2};
        return true;
      }
    return false;
  }
  int code = static_cast<int>(std::strtol(token, nullptr, 16));
  if (code == ' ') {
    for (const ChartButton& b : chart.buttons)
      if (b.action == ChartTypeCode) {
        p = {(b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2};
        return true;
      }
    return false;
  }
  for (const ChartKey& k : chart.keys) {
    int x = (k.rect.left + k.rect.right) / 2;
    if (static_cast<unsigned char>(k.shifted) == code) {
      p = {x, k.rect.top + 6};
      return true;
    }
    if (static_cast<unsigned char>(k.plain) == code) {
      p = {x, k.rect.bottom - 6};
      return true;
    }
  }
  for (const ChartCell& c : chart.panel)
    if (c.code == code) {
      p = {(c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2};
      return true;
    }
  return false;
}

// Finds the place in kirvu's window that types each token and hands it to `act`.
template <typename Act>
int forEachPlace(int count, char** tokens, Act act) {
  HWND kirvuWindow = waitForKeyboardSupport();
  if (!kirvuWindow) return 1;
  KeyboardChart chart = layoutKeyboardChart();
  for (int i = 0; i < count; ++i) {
    POINT p = {};
    if (!pointFor(chart, tokens[i], p)) {
      std::fprintf(stderr, "no place types %s\n", tokens[i]);
      return 2;
    }
    act(kirvuWindow, p);
  }
  return 0;
}

int runClicks(int count, char** tokens) {
  return forEachPlace(count, tokens, [](HWND kirvuWindow, POINT p) {
    LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageA(kirvuWindow, WM_MOUSEMOVE, 0, at);
    PostMessageA(kirvuWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(kirvuWindow, WM_LBUTTONUP, 0, at);
    Sleep(60);
  });
}

int runWhere(int count, char** tokens) {
  return forEachPlace(count, tokens, [](HWND kirvuWindow, POINT p) {
    ClientToScreen(kirvuWindow, &p);
    std::printf("%ld %ld\n", p.x, p.y);
  });
}

BOOL CALLBACK findMessageBox(HWND window, LPARAM found) {
  char cls[32], title[128];
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(cls, "#32770") == 0 && std::strcmp(title, kirvuCaption()) == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

int runMessage() {
  HWND box = nullptr;
  for (int i = 0; i < 50 && !box; ++i) {
    EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box) Sleep(100);
  }
  if (!box) return 1;
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  for (const char* c = text; *c; ++c) std::printf("%02X", static_cast<unsigned char>(*c));
  std::printf("\n");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "record") == 0)
    return runRecorder(argv[2], std::atoi(argv[3]));
  if (argc >= 3 && std::strcmp(argv[1], "click") == 0) return runClicks(argc - 2, argv + 2);
  if (argc >= 3 && std::strcmp(argv[1], "where") == 0) return runWhere(argc - 2, argv + 2);
  if (argc == 2 && std::strcmp(argv[1], "message") == 0) return runMessage();
  if (argc == 2 && std::strcmp(argv[1], "close") == 0) {
    HWND w = FindWindowA("Vartolik Kirvu", nullptr);
    if (!w) return 1;
    PostMessageA(w, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}
