// A small console helper for the end-to-end tests: it looks at and pokes the running program
// through the window system, from inside the same Wine session.
//
//   probe window              main window: hwnd pid client-x client-y client-w client-h
//                             window-left window-top window-right window-bottom visible
//   probe dialogs             one line per visible dialog or message box of any program:
//                             hwnd, title and the texts of its controls (hex of the bytes)
//   probe press HWND ID       clicks the control ID of dialog HWND (1 is a message box's OK)
//   probe checked HWND ID     prints 1 when the button ID of dialog HWND is checked, else 0
//   probe send HWND MSG W L   SendMessage and print the result (HWND 0: the main window)
//   probe post HWND MSG W L   PostMessage (HWND 0: the main window)
//   probe chars HWND HEX      posts WM_CHAR for each byte of HEX (HWND 0: the main window),
//                             as typing would; for text the virtual display cannot type
//   probe rect HWND ID        screen rectangle of control ID of dialog HWND: left top right
//                             bottom (for clicking it with the mouse)
//   probe acp                 the ANSI code page the programs run with
//
// Numbers may be decimal or 0x-hex. Exit code 0 on success, 1 when the window is not there,
// 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND mainWindow() { return FindWindowA("My Window", "Vartolik 1.0"); }

std::string hex(const char* bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes); *p; ++p) {
    out += digits[*p >> 4];
    out += digits[*p & 15];
  }
  return out;
}

unsigned long long number(const char* text) { return std::strtoull(text, nullptr, 0); }

HWND windowArgument(const char* text) {
  const unsigned long long value = number(text);
  return value ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)) : mainWindow();
}

BOOL CALLBACK listControl(HWND control, LPARAM out) {
  char text[1024] = {};
  GetWindowTextA(control, text, sizeof text);
  std::string& line = *reinterpret_cast<std::string*>(out);
  line += '\t';
  line += hex(text);
  return TRUE;
}

BOOL CALLBACK listDialog(HWND window, LPARAM) {
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  std::string line = std::to_string(reinterpret_cast<UINT_PTR>(window)) + '\t' + hex(title);
  EnumChildWindows(window, listControl, reinterpret_cast<LPARAM>(&line));
  std::printf("%s\n", line.c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  if (command == "window") {
    HWND w = mainWindow();
    if (!w) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    RECT client, outer;
    GetClientRect(w, &client);
    GetWindowRect(w, &outer);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    std::printf("%llu %lu %ld %ld %ld %ld %ld %ld %ld %ld %d\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), pid, origin.x,
                origin.y, client.right, client.bottom, outer.left, outer.top, outer.right,
                outer.bottom, IsWindowVisible(w) ? 1 : 0);
    return 0;
  }
  if (command == "acp") {
    std::printf("%u\n", GetACP());
    return 0;
  }
  if (command == "dialogs") {
    EnumWindows(listDialog, 0);
    return 0;
  }
  if ((command == "press" || command == "checked") && argc == 4) {
    HWND dialog = windowArgument(argv[2]);
    const int id = static_cast<int>(number(argv[3]));
    if (!IsWindow(dialog)) return 1;
    if (command == "checked") {
      std::printf("%d\n", IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0);
      return 0;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    return 0;
  }
  if (command == "chars" && argc == 4) {
    HWND target = windowArgument(argv[2]);
    if (!IsWindow(target)) return 1;
    const std::string digits = argv[3];
    if (digits.size() % 2) return 2;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
      const std::string pair = digits.substr(i, 2);
      const WPARAM byte = static_cast<WPARAM>(std::strtoul(pair.c_str(), nullptr, 16));
      if (!PostMessageA(target, WM_CHAR, byte, 1)) return 1;
    }
    return 0;
  }
  if (command == "rect" && argc == 4) {
    HWND control = GetDlgItem(windowArgument(argv[2]), static_cast<int>(number(argv[3])));
    RECT r;
    if (!control || !GetWindowRect(control, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if ((command == "send" || command == "post") && argc == 6) {
    HWND target = windowArgument(argv[2]);
    if (!IsWindow(target)) return 1;
    const UINT message = static_cast<UINT>(number(argv[3]));
    const WPARAM w = static_cast<WPARAM>(number(argv[4]));
    const LPARAM l = static_cast<LPARAM>(number(argv[5]));
    if (command == "post") return PostMessageA(target, message, w, l) ? 0 : 1;
    std::printf("%lld\n", static_cast<long long>(SendMessageA(target, message, w, l)));
    return 0;
  }
  return 2;
}
