#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "cli/platform.h"

namespace {

UINT consoleCodePageBefore = 0;

// Runs before the C library flushes its streams at exit: what is still buffered goes out in
// UTF-8 first.
void restoreConsoleCodePage() {
  std::fflush(stdout);
  std::fflush(stderr);
  SetConsoleOutputCP(consoleCodePageBefore);
}

// Ctrl+C and closing the window skip atexit: the console gets its code page back here, and
// the default handling (ending the program) goes on.
BOOL WINAPI restoreOnInterrupt(DWORD) {
  restoreConsoleCodePage();
  return FALSE;
}

bool isConsole(DWORD standardHandle) {
  HANDLE handle = GetStdHandle(standardHandle);
  DWORD mode = 0;
  return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

std::string narrow(const wchar_t* text, UINT codePage) {
  int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

}  // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(narrow(wide[i], CP_UTF8));
  LocalFree(wide);
  return arguments;
}

void prepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  // In text mode the C library may convert a console's text from its own locale ("C", byte
  // by byte as Latin-1) instead of passing the UTF-8 bytes on.
  _setmode(_fileno(stderr), _O_BINARY);
  // Messages on stderr carry UTF-8 too (a file name, a query): the console is switched when
  // either stream shows on it.
  const bool outConsole = isConsole(STD_OUTPUT_HANDLE), errConsole = isConsole(STD_ERROR_HANDLE);
  if (!outConsole && !errConsole) return;
  // The C library writes a console byte by byte, and a console decodes each write on its own
  // (Wine's always, older Windows' too): a character's two or three bytes must reach it in one
  // write. Buffered, a line goes out whole (stderr's at exit, with the rest).
  if (outConsole) std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  if (errConsole) std::setvbuf(stderr, nullptr, _IOFBF, 1 << 12);
  consoleCodePageBefore = GetConsoleOutputCP();
  if (consoleCodePageBefore != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(restoreConsoleCodePage);
    SetConsoleCtrlHandler(restoreOnInterrupt, TRUE);
  }
}

std::string installedDictionaryPath() {
  // File names go to the C library in the ANSI code page (UTF-8 where the program's manifest
  // is honoured), so the folder's name is given in that code page.
  wchar_t program[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return {};
  std::string path = narrow(program, CP_ACP);
  std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1) + "dictiona.dat";
}
