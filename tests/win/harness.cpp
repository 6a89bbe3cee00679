#include "harness.h"

#include <algorithm>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tvtest {

namespace {

// Under Wine a started program keeps the test runner's output pipe, whatever its standard
// handles are, and CTest waits until that pipe closes. So after each test every program that
// the tests start, directly or through the tool (stand-ins, tools, batch interpreters), is
// ended.
class StrayProgramReaper : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override { EndStrayPrograms(); }
};

const bool kReaperInstalled = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new StrayProgramReaper);
  return true;
}();

}  // namespace

void EndStrayPrograms() {
  static const wchar_t* const kNames[] = {L"UpTalvorinte.exe",
                                          L"UpTalvorinte-shortwait.exe",
                                          L"Talvorinte.exe",
                                          L"Talvorinte-1.0005.exe",
                                          L"Talvorinte-1.0006.exe",
                                          L"cmd.exe",
                                          L"ping.exe",
                                          L"conhost.exe",
                                          L"dialog_driver.exe",
                                          L"cmdline_recorder.exe",
                                          L"locale_probe.exe"};
  const tv::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
    return;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    for (const wchar_t* name : kNames) {
      if (_wcsicmp(entry.szExeFile, name) == 0 && entry.th32ProcessID != ::GetCurrentProcessId()) {
        const tv::ScopedHandle process(
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (process) {
          ::TerminateProcess(process.get(), 1);
          ::WaitForSingleObject(process.get(), 5000);
        }
      }
    }
  }
}

fs::path BuildFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

fs::path ToolExe() {
  return BuildFolder() / L"UpTalvorinte.exe";
}

const std::string& OldExe() {
  static const std::string bytes = ReadBytes(BuildFolder() / L"Talvorinte-1.0005.exe");
  return bytes;
}

const std::string& Payload() {
  static const std::string bytes = ReadBytes(BuildFolder() / L"Talvorinte-1.0006.exe");
  return bytes;
}

namespace {

void MakeWritable(const fs::path& root) {
  std::error_code error;
  ::SetFileAttributesW(root.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!fs::is_directory(root, error)) {
    return;
  }
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    ::SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace

TempFolder::TempFolder(const std::wstring& hint) {
  static int counter = 0;
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = fs::path(temp) / (L"uptv-" + hint + L"-" + std::to_wstring(::GetCurrentProcessId()) +
                            L"-" + std::to_wstring(++counter));
  std::error_code error;
  fs::remove_all(path_, error);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  MakeWritable(path_);
  std::error_code error;
  fs::remove_all(path_, error);
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ToAnsi(const std::wstring& text, UINT codePage) {
  if (text.empty()) {
    return {};
  }
  const int size = ::WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
  return result;
}

std::wstring RecordValue(const wchar_t* key) {
  wchar_t value[2048] = {};
  ::GetPrivateProfileStringW(L"56", key, L"", value, 2048, InstallRecord::Path().c_str());
  return value;
}

InstallRecord::InstallRecord() {
  Remove();
}
InstallRecord::~InstallRecord() {
  Remove();
}

fs::path InstallRecord::Path() {
  wchar_t windows[MAX_PATH + 1];
  ::GetWindowsDirectoryW(windows, MAX_PATH + 1);
  return fs::path(windows) / L"GMT.dII";
}

void InstallRecord::Write(const std::string& bytes) const {
  WriteBytes(Path(), bytes);
}

void InstallRecord::WriteValues(const std::optional<std::wstring>& cale,
                                const std::optional<std::wstring>& ver, UINT codePage) const {
  std::string text = "[Other]\r\nVER=9.9\r\n[56]\r\nNUME=Talvorinte\r\n";
  if (cale) {
    text += "CALE=" + ToAnsi(*cale, codePage) + "\r\n";
  }
  if (ver) {
    text += "VER=" + ToAnsi(*ver, codePage) + "\r\n";
  }
  text += "[57]\r\nCALE=C:\\Elsewhere\r\n";
  Write(text);
}

void InstallRecord::Remove() const {
  std::error_code error;
  fs::remove(Path(), error);
}

Process::Process(const fs::path& program, const LaunchOptions& options) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!options.arguments.empty()) {
    commandLine += L" " + options.arguments;
  }
  std::wstring environment;
  if (!options.extraEnvironment.empty()) {
    wchar_t* current = ::GetEnvironmentStringsW();
    // An extra entry replaces ours of the same name.
    const auto nameOf = [](std::wstring_view entry) {
      return entry.substr(0, entry.find(L'=', 1));
    };
    for (const wchar_t* entry = current; *entry != L'\0'; entry += wcslen(entry) + 1) {
      const bool replaced = std::ranges::any_of(options.extraEnvironment, [&](const auto& extra) {
        return ::lstrcmpiW(std::wstring(nameOf(extra)).c_str(),
                           std::wstring(nameOf(entry)).c_str()) == 0;
      });
      if (!replaced) {
        environment.append(entry);
        environment.push_back(L'\0');
      }
    }
    ::FreeEnvironmentStringsW(current);
    for (const std::wstring& extra : options.extraEnvironment) {
      environment.append(extra);
      environment.push_back(L'\0');
    }
    environment.push_back(L'\0');
  }
  // The program and whatever it starts get the null device as standard handles, not the test
  // runner's output pipe: a process left running would otherwise keep CTest waiting.
  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  const tv::ScopedFile nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                         OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
  if (options.showCommand) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = *options.showCommand;
  }
  PROCESS_INFORMATION info{};
  const fs::path folder =
      options.currentFolder.empty() ? program.parent_path() : options.currentFolder;
  if (::CreateProcessW(
          program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
          environment.empty() ? nullptr : environment.data(), folder.c_str(), &startup, &info)) {
    process_.Reset(info.hProcess);
    ::CloseHandle(info.hThread);
    id_ = info.dwProcessId;
  }
}

Process::~Process() {
  Kill();
}

std::optional<DWORD> Process::WaitForExit(DWORD milliseconds) const {
  if (!process_ || ::WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool Process::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void Process::WaitIdle() const {
  if (process_) {
    ::WaitForInputIdle(process_.get(), 10000);
  }
}

void Process::Kill() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  bool visibleOnly;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t name[128] = {};
  ::GetClassNameW(window, name, 128);
  if (owner == search->processId && wcscmp(name, search->className) == 0 &&
      (!search->visibleOnly || ::IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly) {
  WindowSearch search{processId, className, visibleOnly};
  ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD milliseconds) {
  HWND found = nullptr;
  Eventually([&] { return (found = FindProcessWindow(processId, className, true)) != nullptr; },
             milliseconds);
  return found;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

bool IsVisible(HWND window) {
  return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT RectInParent(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Capture::Capture(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC screen = ::GetDC(nullptr);
  const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
  ::ReleaseDC(nullptr, screen);
}

COLORREF Capture::At(int x, int y) const {
  const uint32_t bgra = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

bool IsRed(COLORREF c) {
  return GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

bool IsDark(COLORREF c) {
  return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace tvtest
