#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "cli/platform.h"

namespace {

UINT consoleCodePageBefore = 0;

void restoreConsoleCodePage() { SetConsoleOutputCP(consoleCodePageBefore); }

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
  for (int i = 0; i < count; ++i) arguments.push_back(narrow(wide[i], CP_UTF8));
  LocalFree(wide);
  return arguments;
}

void prepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  DWORD mode = 0;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (GetFileType(out) == FILE_TYPE_CHAR && GetConsoleMode(out, &mode)) {
    consoleCodePageBefore = GetConsoleOutputCP();
    if (consoleCodePageBefore != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
      std::atexit(restoreConsoleCodePage);
    }
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
