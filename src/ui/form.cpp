#include "ui/form.h"

#include <cwchar>

#include "ui/application.h"

namespace tv {

namespace {

bool SameParent(const wchar_t* a, const wchar_t* b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::wcscmp(a, b) == 0;
}

ShiftState CurrentShift() {
  ShiftState shift;
  shift.shift = ::GetKeyState(VK_SHIFT) < 0;
  shift.alt = ::GetKeyState(VK_MENU) < 0;
  shift.ctrl = ::GetKeyState(VK_CONTROL) < 0;
  return shift;
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
  auto* collected = reinterpret_cast<std::vector<HWND>*>(context);
  if (::IsWindowEnabled(window)) {
    collected->push_back(window);
  }
  return TRUE;
}

}  // namespace

COLORREF ToColorRef(Color color) {
  return color == kWindowTextColor ? ::GetSysColor(COLOR_WINDOWTEXT) : static_cast<COLORREF>(color);
}

TForm::TForm(const FormSpec& layout) : layout_(layout) {
  for (const ControlSpec& control : layout.controls) {
    switch (control.kind) {
      case ControlKind::Label:
        controls_.push_back(std::make_unique<TLabel>(*this, control));
        break;
      case ControlKind::Button:
        controls_.push_back(std::make_unique<TButton>(*this, control));
        break;
      case ControlKind::Panel:
        controls_.push_back(std::make_unique<TPanel>(*this, control));
        break;
      case ControlKind::Gradient:
        controls_.push_back(std::make_unique<TGradientPanel>(*this, control));
        break;
      case ControlKind::Image:
        controls_.push_back(std::make_unique<TImage>(*this, control));
        break;
    }
  }
}

TForm::~TForm() {
  // The window goes first, while the controls whose fonts it uses still exist.
  if (handle() != nullptr) {
    ::DestroyWindow(handle());
  }
}

void TForm::CreateHandle(HWND owner) {
  {
    const ScopedWindowDc screen(nullptr);
    dpi_ = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  font_ = MakeFont(layout_.font);
  background_.Reset(::CreateSolidBrush(ToColorRef(layout_.color)));

  // No WS_CLIPCHILDREN: the labels are transparent, so the form paints beneath them.
  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS;
  DWORD exStyle = layout_.topmost ? WS_EX_TOPMOST : 0;
  if (layout_.border == FormBorder::Dialog) {
    style |= WS_SYSMENU;
    exStyle |= WS_EX_DLGMODALFRAME;  // dialog frame, and no icon in the title bar
  }
  RECT outer{0, 0, Scale(layout_.clientWidth), Scale(layout_.clientHeight)};
  ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  ::OffsetRect(&outer, -outer.left, -outer.top);
  CreateWindowObject(layout_.className, exStyle, layout_.caption, style, outer, owner, 0);
  for (const auto& control : controls_) {
    control->CreateHandle();
  }
  Application.Guard([this] { FormCreate(); });
}

int TForm::Scale(int pixelsAt96) const {
  return ScaleToDpi(pixelsAt96, dpi_);
}

ScopedFont TForm::MakeFont(const FontSpec& wanted) const {
  const FontSpec& source = wanted.face != nullptr ? wanted : layout_.font;
  LOGFONTW font{};
  font.lfHeight = -Scale(source.height);  // negative: the character height, without leading
  font.lfWeight = source.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = source.ansiCharset ? ANSI_CHARSET : DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  ::wcsncpy(font.lfFaceName, source.face != nullptr ? source.face : L"MS Sans Serif",
            LF_FACESIZE - 1);
  return ScopedFont(::CreateFontIndirectW(&font));
}

TControl* TForm::FindComponent(std::wstring_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) {
      return control.get();
    }
  }
  return nullptr;
}

HWND TForm::ContainerHandle(const wchar_t* parent) const {
  if (parent == nullptr) {
    return handle();
  }
  auto* panel = dynamic_cast<TPanel*>(FindComponent(parent));
  return panel != nullptr ? panel->Window::handle() : handle();
}

void TForm::SetCaption(std::wstring_view caption) {
  ::SetWindowTextW(handle(), std::wstring(caption).c_str());
}

void TForm::Place() {
  RECT outer;
  ::GetWindowRect(handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int left = 0;
  int top = 0;
  if (layout_.position == FormPosition::DesktopCenter) {
    // The whole virtual desktop across all monitors.
    left = CenteredOrigin(::GetSystemMetrics(SM_CXVIRTUALSCREEN), width);
    top = CenteredOrigin(::GetSystemMetrics(SM_CYVIRTUALSCREEN), height);
  } else {
    if (placedOnce_) {
      return;  // later showings keep the position the window last had
    }
    left = CenteredOrigin(::GetSystemMetrics(SM_CXSCREEN), width);
    top = CenteredOrigin(::GetSystemMetrics(SM_CYSCREEN), height);
  }
  placedOnce_ = true;
  ::SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ShowAsMainForm() {
  Application.Guard([this] { FormShow(); });
  Place();
  ::ShowWindow(handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(handle());
  FocusControl();
}

int TForm::ShowModal() {
  if (showingModal_) {
    return 2;
  }
  // Every other window of the thread takes no input while this one is up.
  std::vector<HWND> disabled;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, handle());
  for (HWND window : disabled) {
    ::EnableWindow(window, FALSE);
  }
  const HWND previouslyActive = ::GetActiveWindow();

  showingModal_ = true;
  modalResult_ = 0;
  Place();
  ::ShowWindow(handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(handle());
  ::SetActiveWindow(handle());
  FocusControl();
  while (modalResult_ == 0) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The application is terminating: answer as if closed, and leave the quit message for
      // the outer loop.
      modalResult_ = 2;
      if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
      }
      break;
    }
    Application.Dispatch(msg);
  }
  // Enable the others before hiding, so activation returns to them and not to another program.
  for (HWND window : disabled) {
    if (::IsWindow(window)) {
      ::EnableWindow(window, TRUE);
    }
  }
  ::SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (previouslyActive != nullptr && ::IsWindow(previouslyActive)) {
    ::SetActiveWindow(previouslyActive);
  }
  showingModal_ = false;
  return modalResult_;
}

void TForm::Close() {
  if (showingModal_) {
    modalResult_ = 2;
  }
}

void TForm::FormKeyDown(WORD&, ShiftState) {}

std::vector<TButton*> TForm::VisibleButtons() const {
  std::vector<TButton*> buttons;
  for (const auto& control : controls_) {
    if (auto* button = dynamic_cast<TButton*>(control.get()); button && button->Visible()) {
      buttons.push_back(button);
    }
  }
  return buttons;
}

void TForm::FocusControl() {
  const std::vector<TButton*> buttons = VisibleButtons();
  for (TButton* button : buttons) {
    if (button->handle() == lastFocus_) {
      ::SetFocus(lastFocus_);
      return;
    }
  }
  if (!buttons.empty()) {
    ::SetFocus(buttons.front()->handle());
  }
}

void TForm::MoveFocus(bool backwards) {
  const std::vector<TButton*> buttons = VisibleButtons();
  if (buttons.empty()) {
    return;
  }
  const HWND focus = ::GetFocus();
  size_t index = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i]->handle() == focus) {
      index = backwards ? (i + buttons.size() - 1) % buttons.size() : (i + 1) % buttons.size();
    }
  }
  ::SetFocus(buttons[index]->handle());
}

TButton* TForm::ButtonOf(HWND window) const {
  for (const auto& control : controls_) {
    if (auto* button = dynamic_cast<TButton*>(control.get());
        button && window != nullptr && button->handle() == window) {
      return button;
    }
  }
  return nullptr;
}

TLabel* TForm::LabelOf(HWND window) const {
  for (const auto& control : controls_) {
    if (auto* label = dynamic_cast<TLabel*>(control.get());
        label && window != nullptr && label->handle() == window) {
      return label;
    }
  }
  return nullptr;
}

void TForm::ButtonClicked(TButton& button) {
  if (!button.Visible()) {
    return;
  }
  if (button.OnClick) {
    Application.Guard(button.OnClick);
  }
  if (button.ModalResult() != 0 && showingModal_) {
    modalResult_ = button.ModalResult();
  }
}

bool TForm::PreTranslateMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(msg.wParam);
      if (layout_.keyPreview) {
        FormKeyDown(key, CurrentShift());
      }
      if (msg.message != WM_KEYDOWN) {
        return false;
      }
      if (key == VK_RETURN) {
        if (TButton* button = ButtonOf(::GetFocus())) {
          ButtonClicked(*button);
        }
        return true;
      }
      if (key == VK_TAB) {
        MoveFocus(::GetKeyState(VK_SHIFT) < 0);
        return true;
      }
      return key == VK_ESCAPE;  // Escape reaches no control
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      // An accelerator letter, alone or with Alt, activates the visible button it belongs to.
      wchar_t letter = static_cast<wchar_t>(msg.wParam);
      ::CharUpperBuffW(&letter, 1);
      for (TButton* button : VisibleButtons()) {
        if (button->Accelerator() == letter && ::IsWindowEnabled(button->handle())) {
          ::SetFocus(button->handle());
          ButtonClicked(*button);
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

void TForm::PaintGraphics(HDC dc, const wchar_t* parent) const {
  for (const auto& control : controls_) {
    if (auto* graphic = dynamic_cast<TGraphicControl*>(control.get());
        graphic && graphic->Visible() && SameParent(control->layout().parent, parent)) {
      graphic->Paint(dc);
    }
  }
}

LRESULT TForm::ControlColor(HDC dc, HWND control) const {
  if (const TLabel* label = LabelOf(control)) {
    ::SetTextColor(dc, ToColorRef(label->FontColor()));
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
  }
  return reinterpret_cast<LRESULT>(background_.get());
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT: {
      const ScopedPaint paint(handle());
      RECT client;
      ::GetClientRect(handle(), &client);
      ::FillRect(paint.dc(), &client, background_.get());
      PaintGraphics(paint.dc(), nullptr);
      return 0;
    }
    case WM_PRINTCLIENT: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      ::GetClientRect(handle(), &client);
      ::FillRect(dc, &client, background_.get());
      PaintGraphics(dc, nullptr);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        if (TButton* button = ButtonOf(reinterpret_cast<HWND>(lParam))) {
          ButtonClicked(*button);
        }
      }
      return 0;
    case WM_SETCURSOR:
      if (const TButton* button = ButtonOf(reinterpret_cast<HWND>(wParam));
          button && button->layout().handCursor && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(handle(), focus)) {
          lastFocus_ = focus;
        }
      } else {
        FocusControl();
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE && !AllowClose()) {
        return 0;
      }
      break;
    case WM_CLOSE:
      // Never destroyed here: a modal showing ends with 2; a form that allows no closing
      // stays.
      if (AllowClose()) {
        Close();
      }
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace tv
