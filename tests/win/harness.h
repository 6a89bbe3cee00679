// Test harness for the real tool under Wine: temporary folders, the installation record, the
// tool as a separate process, its windows read from the outside, pixels from the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "rtl/handles.h"

namespace tvtest {

namespace fs = std::filesystem;

// Ends every program the tests may have started, directly or through the tool. Runs after
// each test by itself.
void EndStrayPrograms();

// The folder of the running test program (where the tool and the helpers are built).
fs::path BuildFolder();
fs::path ToolExe();
// The bytes of the stand-in's two versions: the installed one and the carried payload.
const std::string& OldExe();
const std::string& Payload();

// The tool's last status line after a completed upgrade.
inline constexpr wchar_t kSuccess[] = L"Actualizare incheiata cu succes!";

// A fresh folder under the temporary folder, removed with all it holds at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& hint = L"t");
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::wstring& name) const { return path_ / name; }

 private:
  fs::path path_;
};

void WriteBytes(const fs::path& file, const std::string& bytes);
std::string ReadBytes(const fs::path& file);

// The installation record in the Windows folder. Written byte for byte (the record is an ANSI
// file); removed again when the scope ends.
class InstallRecord {
 public:
  InstallRecord();  // starts with no record
  InstallRecord(const InstallRecord&) = delete;
  InstallRecord& operator=(const InstallRecord&) = delete;
  ~InstallRecord();
  static fs::path Path();
  void Write(const std::string& bytes) const;
  // A record with section [56] holding the given CALE and VER, in the given ANSI code page.
  void WriteValues(const std::optional<std::wstring>& cale, const std::optional<std::wstring>& ver,
                   UINT codePage = 1252) const;
  void Remove() const;
};

std::string ToAnsi(const std::wstring& text, UINT codePage);

// A value of section [56] of the record as it is on disk now; empty when missing.
std::wstring RecordValue(const wchar_t* key);

struct LaunchOptions {
  std::wstring arguments;                      // appended after the quoted program path
  fs::path currentFolder;                      // default: the program's folder
  std::vector<std::wstring> extraEnvironment;  // NAME=value entries added to ours
  std::optional<WORD> showCommand;             // STARTUPINFO's wShowWindow
};

// A program started by the test; killed at the end of the scope if it still runs.
class Process {
 public:
  Process(const fs::path& program, const LaunchOptions& options = {});
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();
  bool Started() const { return process_.IsValid(); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }
  // The exit code once the process has ended within the bound; nullopt while it runs.
  std::optional<DWORD> WaitForExit(DWORD milliseconds) const;
  bool Running() const;
  // Waits until the process has handled all its input and waits for more.
  void WaitIdle() const;
  void Kill();

 private:
  tv::ScopedHandle process_;
  DWORD id_ = 0;
};

// A visible top-level window of the process with that class, waited for up to the bound.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD milliseconds = 30000);
// Any top-level window of that process and class, visible or not.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly);

std::wstring WindowText(HWND window);
bool IsVisible(HWND window);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// The screen's pixels inside a window's client area, captured at one moment.
class Capture {
 public:
  explicit Capture(HWND window);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Colour as $00BBGGRR, in client coordinates of the captured window.
  COLORREF At(int x, int y) const;
  // True when some pixel of the rectangle (client coordinates) passes the test.
  template <typename Test>
  bool Any(const RECT& area, Test&& test) const {
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y) {
      for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x) {
        if (test(At(x, y))) {
          return true;
        }
      }
    }
    return false;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

bool IsRed(COLORREF c);
bool IsDark(COLORREF c);
bool Near(COLORREF a, COLORREF b, int tolerance);

// Polls `condition` every 20 ms until it holds or the bound runs out; returns its last value.
template <typename Condition>
bool Eventually(Condition&& condition, DWORD milliseconds = 10000) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) {
      return true;
    }
    if (::GetTickCount64() >= end) {
      return false;
    }
    ::Sleep(20);
  }
}

// True when `condition` holds at every poll for the whole period: for what must not happen.
template <typename Condition>
bool Stays(Condition&& condition, DWORD milliseconds = 1000) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  while (::GetTickCount64() < end) {
    if (!condition()) {
      return false;
    }
    ::Sleep(20);
  }
  return condition();
}

}  // namespace tvtest
