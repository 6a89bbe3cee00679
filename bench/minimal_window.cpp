// The yardstick for start-up: a Win32 program that only opens one window, shown as the tool
// shows its own, and waits. Built twice: plain, and with the tool's manifest and common
// controls 6 (WITH_COMMON_CONTROLS), which the tool needs for its look.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if defined(WITH_COMMON_CONTROLS)
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
#endif
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalWindow";
  ::RegisterClassW(&windowClass);
  const HWND window =
      ::CreateWindowExW(WS_EX_TOPMOST, L"MinimalWindow", L"Minimal", WS_CAPTION | WS_SYSMENU, 100,
                        100, 345, 200, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::DispatchMessageW(&message);
  }
  return 0;
}
