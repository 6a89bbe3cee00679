// Base of the custom windows: `this` travels through CreateWindowEx and is picked up at
// WM_NCCREATE; messages go to the virtual HandleMessage.
#pragma once

#include <windows.h>

namespace tv {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND handle() const { return hwnd_; }

 protected:
  // Registers `className` once for this module (with `icon`, a resource name, or none) and
  // creates the window.
  HWND CreateWindowObject(const wchar_t* className, DWORD exStyle, const wchar_t* title,
                          DWORD style, const RECT& bounds, HWND parentOrOwner, UINT id,
                          const wchar_t* icon = nullptr);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace tv
