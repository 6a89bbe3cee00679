#include "ui/application.h"

#include <memory>

#include "core/text.h"

namespace tv {

TApplication Application;

namespace {

constexpr UINT kShowPendingMainForm = WM_APP + 1;

// The application's own window: zero-sized, it carries the taskbar entry with the title and
// the application's icon, and owns the forms so that they have no entries of their own.
class ApplicationWindow : public Window {
 public:
  void Create(const std::wstring& title) {
    const int left = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int top = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    CreateWindowObject(L"TApplication", 0, title.c_str(),
                       WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                       RECT{left, top, left, top}, nullptr, 0, L"MAINICON");
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SIZE:
        // Only a restore from the minimized state counts: a window shown for the first time is
        // told its size as "restored" too.
        if (wParam == SIZE_MINIMIZED) {
          minimized_ = true;
        } else if (minimized_) {
          minimized_ = false;
          ::PostMessageW(handle(), kShowPendingMainForm, 0, 0);
        }
        break;
      case kShowPendingMainForm:
        Application.ShowPendingMainForm();
        return 0;
      case WM_ACTIVATE:
        // Activating the taskbar entry activates the form the user last worked in.
        if (LOWORD(wParam) != WA_INACTIVE) {
          const HWND popup = ::GetLastActivePopup(handle());
          if (popup != handle() && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup)) {
            ::SetActiveWindow(popup);
          }
        }
        return 0;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
          return 0;  // the only way out is the main form's OK
        }
        break;
      case WM_CLOSE:
        return 0;
      default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
  }

 private:
  bool minimized_ = false;
};

std::unique_ptr<ApplicationWindow>& AppWindow() {
  static std::unique_ptr<ApplicationWindow> window;
  return window;
}

bool StartedMinimized() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  ::GetStartupInfoW(&startup);
  if ((startup.dwFlags & STARTF_USESHOWWINDOW) == 0) {
    return false;
  }
  return startup.wShowWindow == SW_SHOWMINNOACTIVE || startup.wShowWindow == SW_SHOWMINIMIZED ||
         startup.wShowWindow == SW_MINIMIZE;
}

}  // namespace

void TApplication::Initialize() {
  AppWindow() = std::make_unique<ApplicationWindow>();
  AppWindow()->Create(title_);
}

void TApplication::SetTitle(std::wstring title) {
  title_ = std::move(title);
  if (Handle() != nullptr) {
    ::SetWindowTextW(Handle(), title_.c_str());
  }
}

HWND TApplication::Handle() const {
  return AppWindow() ? AppWindow()->handle() : nullptr;
}

void TApplication::CreateForm(TForm& form) {
  forms_.push_back(&form);
  if (mainForm_ == nullptr) {
    mainForm_ = &form;
  }
  form.CreateHandle(Handle());
}

void TApplication::Run() {
  if (mainForm_ == nullptr) {
    return;
  }
  if (StartedMinimized()) {
    // Started as a minimized, inactive taskbar entry: the main form, and with it its show
    // handler, wait until the user restores the application.
    mainFormPending_ = true;
    ::ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
  } else {
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    mainForm_->ShowAsMainForm();
  }
  MSG msg;
  while (!terminated_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    Dispatch(msg);
  }
  terminated_ = true;
}

void TApplication::ShowPendingMainForm() {
  if (mainFormPending_ && mainForm_ != nullptr) {
    mainFormPending_ = false;
    mainForm_->ShowAsMainForm();
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::Terminate() {
  ::PostQuitMessage(0);
}

void TApplication::Halt() {
  for (auto form = forms_.rbegin(); form != forms_.rend(); ++form) {
    if ((*form)->handle() != nullptr) {
      ::DestroyWindow((*form)->handle());
    }
  }
  if (Handle() != nullptr) {
    ::DestroyWindow(Handle());
  }
  ::ExitProcess(0);
}

void TApplication::Dispatch(const MSG& msg) {
  const HWND root = msg.hwnd != nullptr ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  for (TForm* form : forms_) {
    if (root != nullptr && form->handle() == root && form->PreTranslateMessage(msg)) {
      return;
    }
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void TApplication::ShowErrorBox(std::wstring message) {
  const std::wstring text = WithClosingPeriod(std::move(message));
  // Owned by the active form, so the box stands above it even when that form stays on top.
  HWND owner = ::GetActiveWindow();
  if (owner == nullptr) {
    owner = Handle();
  }
  ::MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::ReportException(const std::exception& error) {
  const std::string what = error.what();
  ShowErrorBox(std::wstring(what.begin(), what.end()));
}

}  // namespace tv
