// Start-up: from CreateProcess to the window on screen, for the tool (no record: the "not
// installed" outcome) and for a minimal Win32 program that only opens a window.
// Usage: start_bench BUILD_FOLDER [ROUNDS]
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  bool found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (id == search->process && ::IsWindowVisible(window) &&
      std::wstring(name) == search->className) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from the start of the program until its window is visible.
double TimeToWindow(const std::wstring& program, const wchar_t* className) {
  std::wstring line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const double start = Seconds();
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return -1;
  }
  Search search{info.dwProcessId, className, false};
  while (!search.found && Seconds() - start < 30) {
    ::EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
      ::Sleep(1);
    }
  }
  const double elapsed = (Seconds() - start) * 1000;
  ::TerminateProcess(info.hProcess, 0);
  ::WaitForSingleObject(info.hProcess, 10000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return search.found ? elapsed : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: start_bench BUILD_FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring build = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 10;
  wchar_t windows[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  if (::GetFileAttributesW((std::wstring(windows) + L"\\GMT.dII").c_str()) !=
      INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "an installation record exists: the tool would not say 'not installed'\n");
    return 1;
  }
  std::vector<double> tool, minimal, minimalV6;
  // In turns, so that all three see the same state of the machine.
  for (int round = 0; round < rounds; ++round) {
    minimal.push_back(TimeToWindow(build + L"\\minimal_window.exe", L"MinimalWindow"));
    minimalV6.push_back(TimeToWindow(build + L"\\minimal_window_v6.exe", L"MinimalWindow"));
    tool.push_back(TimeToWindow(build + L"\\UpTalvorinte.exe", L"TForm1"));
    std::printf("round %d: minimal %.1f ms, minimal with common controls 6 %.1f ms, tool %.1f ms\n",
                round, minimal.back(), minimalV6.back(), tool.back());
  }
  const double toolMedian = Median(tool);
  std::printf(
      "rounds=%d start_to_window_median_ms tool=%.1f minimal=%.1f (ratio %.2f) "
      "minimal_with_common_controls_6=%.1f (ratio %.2f)\n",
      rounds, toolMedian, Median(minimal), toolMedian / Median(minimal), Median(minimalV6),
      toolMedian / Median(minimalV6));
  return 0;
}
