// A stand-in for the main application Talvorinte, for demos and tests; not part of the tool.
// At every start it does what the real program does: it writes its folder and version into
// the installation record, and when UpTalvorinte.exe lies beside it (and can be opened for
// reading and writing) it starts it with its own path in quotes and ends at once. Otherwise it
// shows a small window naming its version until that is closed.
#include <windows.h>

#include <string>

#ifndef STANDIN_VERSION
#error "STANDIN_VERSION must name the version, e.g. L\"1.0005\""
#endif

namespace {

std::wstring OwnPath() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
  return buffer;
}

std::wstring RecordPath() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size())));
  return buffer + L"\\GMT.dII";
}

bool StartTool(const std::wstring& folder, const std::wstring& self) {
  const std::wstring tool = folder + L"\\UpTalvorinte.exe";
  const HANDLE probe = ::CreateFileW(tool.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    return false;
  }
  ::CloseHandle(probe);
  std::wstring commandLine = L"\"" + tool + L"\" \"" + self + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
    return false;
  }
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);
    const wchar_t text[] = L"Talvorinte " STANDIN_VERSION;
    ::DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const std::wstring self = OwnPath();
  std::wstring folder = self.substr(0, self.find_last_of(L'\\'));
  const std::wstring record = RecordPath();
  ::WritePrivateProfileStringW(L"56", L"CALE", folder.c_str(), record.c_str());
  ::WritePrivateProfileStringW(L"56", L"VER", STANDIN_VERSION, record.c_str());
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, record.c_str());  // flush to disk

  if (StartTool(folder, self)) {
    return 0;
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TalvorinteStandIn";
  ::RegisterClassW(&wc);
  const HWND window =
      ::CreateWindowExW(0, wc.lpszClassName, L"Talvorinte " STANDIN_VERSION, WS_OVERLAPPEDWINDOW,
                        40, 40, 320, 140, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, show);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
