// Start-up time of a Win32 program under Wine: starts PROGRAM in its own folder ROUNDS times
// and reports the median time from CreateProcess to its top window WINDOW_TITLE existing, and
// to that window's first paint being done (visible, nothing left to update). Not a test: it
// prints figures and asserts nothing. Run through bench/startup.sh.
//   startup_probe.exe ROUNDS "WINDOW_TITLE" PROGRAM.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double millisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Round {
  double created = -1;  // the top window exists
  double painted = -1;  // visible and validated by its first WM_PAINT
};

Round startOnce(const std::string& program, const char* title) {
  std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  Round round;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(2);
  }
  HWND window = nullptr;
  while (millisecondsSince(start) < 20000) {
    if (!window) {
      window = FindWindowA(nullptr, title);
      if (window) round.created = millisecondsSince(start);
    }
    if (window && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE)) {
      round.painted = millisecondsSince(start);
      break;
    }
    Sleep(0);
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return round;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_probe ROUNDS WINDOW_TITLE PROGRAM.exe\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  std::vector<double> created, painted;
  startOnce(argv[3], argv[2]);  // warms the file cache and Wine's shared state
  for (int i = 0; i < rounds; ++i) {
    Round r = startOnce(argv[3], argv[2]);
    if (r.painted < 0) {
      std::fprintf(stderr, "no painted window \"%s\" within 20 s\n", argv[2]);
      return 1;
    }
    created.push_back(r.created);
    painted.push_back(r.painted);
  }
  std::printf("%-16s window created %7.1f ms, first paint done %7.1f ms (median of %d)\n", argv[2],
              median(created), median(painted), rounds);
  return 0;
}
