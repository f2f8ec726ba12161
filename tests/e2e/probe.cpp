// A small console helper for the end-to-end tests: it looks at and pokes the running program
// through the window system, from inside the same Wine session.
//
//   probe window              main window: hwnd pid client-x client-y client-w client-h
//                             window-left window-top window-right window-bottom visible
//   probe find CLASS          the same line for the top-level window of class CLASS (a
//                             companion program's), followed by 1 when it is minimised
//   probe dialogs             one line per visible dialog or message box of any program:
//                             hwnd, title and the texts of its controls (hex of the bytes)
//   probe press HWND ID       clicks the control ID of dialog HWND (1 is a message box's OK)
//   probe checked HWND ID     prints 1 when the button ID of dialog HWND is checked, else 0
//   probe above OTHER [HWND] 1 when HWND (the main window when not given) stands above OTHER
//                             in the z-order, else 0
//   probe send HWND MSG W L   SendMessage and print the result (HWND 0: the main window)
//   probe post HWND MSG W L   PostMessage (HWND 0: the main window)
//   probe acp                 the ANSI code page the programs run with
//   probe chars HWND HEX      sends WM_CHAR for each byte of HEX, in order, each handled
//                             before the next is sent (HWND 0: the main window)
//   probe rect HWND ID        screen rectangle (left top right bottom) of the control ID of
//                             dialog HWND (65535 for the static texts without one), or of
//                             HWND's client area when ID is 0
//   probe render FILE H W WEIGHT ITALIC CHARSET FACE HEX [FONTFILE...]
//                             registers the font files, makes the font as CreateFontA would
//                             with those values and draws the bytes of HEX black on white
//                             into a DIB section at (20, 10); writes it to FILE as a PGM
//                             image and prints the text's width and height
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

std::string bytesOfHex(const char* text) {
  std::string out;
  for (const char* p = text; p[0] && p[1]; p += 2) {
    const char pair[3] = {p[0], p[1], 0};
    out += static_cast<char>(std::strtoul(pair, nullptr, 16));
  }
  return out;
}

// Draws text into a white 8-bit-grey picture the way the program's TextOutA does (default
// alignment, transparent background, default quality: smoothed as on the display), for
// comparing with what the program shows.
int renderText(int argc, char** argv) {
  if (argc < 10) return 2;
  for (int i = 10; i < argc; ++i) AddFontResourceA(argv[i]);
  HFONT font = CreateFontA(std::atoi(argv[3]), std::atoi(argv[4]), 0, 0, std::atoi(argv[5]),
                           std::atoi(argv[6]), 0, 0, std::atoi(argv[7]), 3, 2, 0, 0, argv[8]);
  if (!font) return 1;
  const std::string text = bytesOfHex(argv[9]);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
  const int width = extent.cx + 40, height = extent.cy + 20;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!picture) return 1;
  HGDIOBJ oldPicture = SelectObject(dc, picture);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, 20, 10, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  std::fprintf(out, "P5\n%d %d\n255\n", width, height);
  const unsigned char* pixel = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < width * height; ++i) std::fputc(pixel[4 * i + 1], out);  // green
  std::fclose(out);
  std::printf("%ld %ld\n", extent.cx, extent.cy);
  SelectObject(dc, oldPicture);
  SelectObject(dc, oldFont);
  DeleteObject(picture);
  DeleteObject(font);
  DeleteDC(dc);
  return 0;
}

// One line about a top-level window: handle, process, client origin on the screen, client
// size, window rectangle, visibility and, with `withIconic`, whether it is minimised.
void printWindow(HWND w, bool withIconic) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  RECT client, outer;
  GetClientRect(w, &client);
  GetWindowRect(w, &outer);
  POINT origin = {0, 0};
  ClientToScreen(w, &origin);
  std::printf("%llu %lu %ld %ld %ld %ld %ld %ld %ld %ld %d",
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), pid, origin.x,
              origin.y, client.right, client.bottom, outer.left, outer.top, outer.right,
              outer.bottom, IsWindowVisible(w) ? 1 : 0);
  if (withIconic) std::printf(" %d", IsIconic(w) ? 1 : 0);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  if (command == "window") {
    HWND w = mainWindow();
    if (!w) return 1;
    printWindow(w, false);
    return 0;
  }
  if (command == "find" && argc == 3) {
    HWND w = FindWindowA(argv[2], nullptr);
    if (!w) return 1;
    printWindow(w, true);
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
  if (command == "chars" && argc == 4) {
    HWND target = windowArgument(argv[2]);
    if (!IsWindow(target)) return 1;
    for (unsigned char byte : bytesOfHex(argv[3])) SendMessageA(target, WM_CHAR, byte, 1);
    return 0;
  }
  if (command == "render") return renderText(argc, argv);
  // The foreground window, and whether the main window stands above another in the z-order.
  if (command == "foreground") {
    std::printf("%llu\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
    return 0;
  }
  if (command == "above" && (argc == 3 || argc == 4)) {
    HWND other = windowArgument(argv[2]), main = argc == 4 ? windowArgument(argv[3]) : mainWindow();
    if (!main || !IsWindow(other)) return 1;
    for (HWND w = GetWindow(main, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == main || w == other) {
        std::printf("%d\n", w == main ? 1 : 0);
        return 0;
      }
    }
    return 1;
  }
  if (command == "rect" && argc == 4) {
    HWND window = windowArgument(argv[2]);
    const int id = static_cast<int>(number(argv[3]));
    HWND target = window;
    if (id) {  // GetDlgItem does not find the controls whose identifier is -1
      target = nullptr;
      for (HWND c = GetWindow(window, GW_CHILD); c && !target; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetDlgCtrlID(c) & 0xFFFF) == (id & 0xFFFF)) target = c;
    }
    if (!target) return 1;
    RECT r;
    GetClientRect(target, &r);
    MapWindowPoints(target, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  return 2;
}
