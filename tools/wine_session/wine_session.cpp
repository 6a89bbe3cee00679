// Keeps a Wine session alive for a test run or a demo: a process with a window (never shown)
// that waits until the Wine server is stopped. While it lives, Wine's desktop and services stay
// up; without it they end with the last program and start again with the next one, inheriting
// that program's output pipes, which makes CTest wait for them to close.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"WineSessionKeeper";
  ::RegisterClassW(&wc);
  ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                    nullptr);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::DispatchMessageW(&msg);
  }
  return 0;
}
