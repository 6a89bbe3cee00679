// The unattended wait of the tool: the CPU it uses while the old program still runs, and the
// time from the old program's exit to the new executable being in place.
// Usage: swap_bench BUILD_FOLDER WORK_FOLDER [ROUNDS]
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(process, &created, &exited, &kernel, &user);
  const auto value = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

HANDLE Start(const std::wstring& program, const std::wstring& arguments) {
  std::wstring line = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return nullptr;
  }
  ::CloseHandle(info.hThread);
  return info.hProcess;
}

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) {
    return bytes;
  }
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    bytes.append(buffer, got);
  }
  std::fclose(file);
  return bytes;
}

BOOL CALLBACK CloseStandIn(HWND window, LPARAM process) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  if (id == static_cast<DWORD>(process)) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: swap_bench BUILD_FOLDER WORK_FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring build = argv[1];
  const std::wstring work = argv[2];
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 5;
  const std::wstring exe = work + L"\\Talvorinte.exe";
  const std::wstring tool = work + L"\\UpTalvorinte.exe";
  const std::string newBytes = ReadAll(build + L"\\Talvorinte-1.0006.exe");
  std::vector<double> swapMs, cpuPercent;
  for (int round = 0; round < rounds; ++round) {
    ::DeleteFileW(tool.c_str());
    ::DeleteFileW(exe.c_str());
    ::CreateDirectoryW((work + L"\\DATA").c_str(), nullptr);
    ::CopyFileW((build + L"\\Talvorinte-1.0005.exe").c_str(), exe.c_str(), FALSE);
    const HANDLE program = Start(exe, L"");  // no tool beside it: it shows its window
    ::Sleep(1500);
    ::CopyFileW((build + L"\\UpTalvorinte.exe").c_str(), tool.c_str(), FALSE);
    const HANDLE upgrade = Start(tool, L"\"" + exe + L"\"");
    ::Sleep(1000);  // past start-up and extraction: the tool is waiting
    const double cpuStart = CpuSeconds(upgrade);
    ::Sleep(10000);
    cpuPercent.push_back((CpuSeconds(upgrade) - cpuStart) / 10.0 * 100.0);
    std::printf("round %d: tool cpu %.3f s after start-up, %.3f s after the wait\n", round,
                cpuStart, CpuSeconds(upgrade));
    ::EnumWindows(&CloseStandIn, static_cast<LPARAM>(::GetProcessId(program)));
    ::WaitForSingleObject(program, 20000);
    const double exited = Seconds();
    while (ReadAll(exe) != newBytes && Seconds() - exited < 30) {
      ::Sleep(1);
    }
    swapMs.push_back((Seconds() - exited) * 1000);
    ::TerminateProcess(upgrade, 0);
    ::WaitForSingleObject(upgrade, 10000);
    ::CloseHandle(upgrade);
    ::CloseHandle(program);
  }
  std::sort(swapMs.begin(), swapMs.end());
  std::sort(cpuPercent.begin(), cpuPercent.end());
  std::printf("rounds=%d exit_to_swap_median_ms=%.1f (min %.1f, max %.1f)\n", rounds,
              swapMs[swapMs.size() / 2], swapMs.front(), swapMs.back());
  std::printf("cpu_during_10s_wait_median_percent_of_one_core=%.2f (max %.2f)\n",
              cpuPercent[cpuPercent.size() / 2], cpuPercent.back());
  return 0;
}
