#include "ui/controls.h"

#include <windowsx.h>

#include "ui/form.h"

namespace tv {

namespace {

RECT MakeRect(int left, int top, int width, int height) {
  return RECT{left, top, left + width, top + height};
}

}  // namespace

// --- TControl -----------------------------------------------------------------------------

TControl::TControl(TForm& form, const ControlSpec& layout)
    : form_(form), layout_(layout), visible_(layout.visible), left_(layout.left) {}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
}

void TControl::SetLeft(int left) {
  left_ = left;
}

RECT TControl::Bounds() const {
  return MakeRect(form_.Scale(left_), form_.Scale(layout_.top), form_.Scale(layout_.width),
                  form_.Scale(layout_.height));
}

HWND TControl::ParentHandle() const {
  return form_.ContainerHandle(layout_.parent);
}

// --- TGraphicControl ----------------------------------------------------------------------

void TGraphicControl::Invalidate() const {
  const HWND parent = ParentHandle();
  if (parent != nullptr) {
    const RECT bounds = Bounds();
    ::InvalidateRect(parent, &bounds, TRUE);
  }
}

void TGraphicControl::SetVisible(bool visible) {
  if (visible != visible_) {
    TControl::SetVisible(visible);
    Invalidate();
  }
}

void TGraphicControl::SetLeft(int left) {
  Invalidate();
  TControl::SetLeft(left);
  Invalidate();
}

// --- TWinControl --------------------------------------------------------------------------

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (hwnd_ != nullptr) {
    ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  }
}

void TWinControl::SetLeft(int left) {
  TControl::SetLeft(left);
  if (hwnd_ != nullptr) {
    const RECT bounds = Bounds();
    ::SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// --- TLabel -------------------------------------------------------------------------------

void TLabel::CreateHandle() {
  caption_ = layout_.caption;
  color_ = layout_.font.color;
  font_ = form_.MakeFont(layout_.font);
  DWORD style = WS_CHILD;
  if (layout_.align == TextAlign::Center) {
    style |= SS_CENTER;  // SS_CENTER wraps words
  } else {
    style |= layout_.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
  }
  if (layout_.autoSize) {
    FitToText();
  }
  const RECT bounds = Bounds();
  hwnd_ = ::CreateWindowExW(0, L"STATIC", caption_.c_str(), style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, ParentHandle(),
                            reinterpret_cast<HMENU>(INT_PTR{layout_.id}),
                            ::GetModuleHandleW(nullptr), nullptr);
  SetWindowFont(hwnd_, font_.get(), FALSE);
  if (visible_) {
    ::ShowWindow(hwnd_, SW_SHOWNA);
  }
}

RECT TLabel::Bounds() const {
  RECT bounds = TControl::Bounds();
  if (autoWidth_ >= 0) {
    bounds.right = bounds.left + autoWidth_;
  }
  return bounds;
}

void TLabel::SetCaption(std::wstring_view caption) {
  const RECT before = Bounds();
  caption_ = caption;
  if (layout_.autoSize) {
    FitToText();
  }
  if (hwnd_ != nullptr) {
    const RECT after = Bounds();
    ::SetWindowPos(hwnd_, nullptr, after.left, after.top, after.right - after.left,
                   after.bottom - after.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowTextW(hwnd_, caption_.c_str());
    RECT area;
    ::UnionRect(&area, &before, &after);
    RepaintBackground(area);
  }
}

void TLabel::SetFontColor(Color color) {
  color_ = color;
  if (hwnd_ != nullptr) {
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void TLabel::FitToText() {
  // The width the text takes in the label's font, ampersands treated as the label shows them.
  const ScopedWindowDc screen(nullptr);
  const ScopedSelect select(screen.get(), font_.get());
  RECT measure{0, 0, 0, 0};
  ::DrawTextW(screen.get(), caption_.c_str(), static_cast<int>(caption_.size()), &measure,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  autoWidth_ = measure.right - measure.left;
}

void TLabel::RepaintBackground(const RECT& area) const {
  // The label has no background of its own: its parent repaints what lies beneath the old and
  // the new text, then the label draws on top.
  ::InvalidateRect(ParentHandle(), &area, TRUE);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// --- TButton ------------------------------------------------------------------------------

void TButton::CreateHandle() {
  const RECT bounds = Bounds();
  hwnd_ = ::CreateWindowExW(
      0, L"BUTTON", layout_.caption, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, ParentHandle(),
      reinterpret_cast<HMENU>(INT_PTR{layout_.id}), ::GetModuleHandleW(nullptr), nullptr);
  SetWindowFont(hwnd_, form_.FormFont(), FALSE);
  if (visible_) {
    ::ShowWindow(hwnd_, SW_SHOWNA);
  }
}

wchar_t TButton::Accelerator() const {
  const std::wstring_view caption = layout_.caption;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (caption[i + 1] == L'&') {
        ++i;
        continue;
      }
      wchar_t letter = caption[i + 1];
      ::CharUpperBuffW(&letter, 1);
      return letter;
    }
  }
  return 0;
}

// --- TPanel -------------------------------------------------------------------------------

void TPanel::CreateHandle() {
  const RECT bounds = Bounds();
  CreateWindowObject(L"TPanel", 0, L"", WS_CHILD | WS_CLIPSIBLINGS, bounds, ParentHandle(),
                     static_cast<UINT>(layout_.id));
  if (visible_) {
    ::ShowWindow(Window::handle(), SW_SHOWNA);
  }
}

void TPanel::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (Window::handle() != nullptr) {
    ::ShowWindow(Window::handle(), visible ? SW_SHOWNA : SW_HIDE);
  }
}

void TPanel::PaintContent(HDC dc) const {
  RECT client;
  ::GetClientRect(Window::handle(), &client);
  const ScopedBrush brush(::CreateSolidBrush(ToColorRef(layout_.color)));
  ::FillRect(dc, &client, brush.get());
  form_.PaintGraphics(dc, layout_.name);
  // A raised one-pixel bevel: highlight on the top and left edges, shadow on the bottom and
  // right.
  const ScopedBrush light(::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT)));
  const ScopedBrush shadow(::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW)));
  const RECT top{client.left, client.top, client.right - 1, client.top + 1};
  const RECT left{client.left, client.top, client.left + 1, client.bottom - 1};
  const RECT bottom{client.left, client.bottom - 1, client.right, client.bottom};
  const RECT right{client.right - 1, client.top, client.right, client.bottom};
  ::FillRect(dc, &top, light.get());
  ::FillRect(dc, &left, light.get());
  ::FillRect(dc, &bottom, shadow.get());
  ::FillRect(dc, &right, shadow.get());
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT: {
      const ScopedPaint paint(Window::handle());
      PaintContent(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_SETCURSOR:
      // The form handles its controls wherever they sit.
      return ::SendMessageW(form_.handle(), message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

// --- TGradientPanel -----------------------------------------------------------------------

TGradientPanel::TGradientPanel(TForm& form, const ControlSpec& layout)
    : TGraphicControl(form, layout), from_(layout.colorFrom), to_(layout.colorTo) {}

void TGradientPanel::SetColorFrom(Color color) {
  from_ = color;
  Invalidate();
}

void TGradientPanel::SetColorTo(Color color) {
  to_ = color;
  Invalidate();
}

void TGradientPanel::Paint(HDC dc) const {
  const RECT bounds = Bounds();
  const bool across = layout_.direction == GradientDirection::RightToLeft;
  const int extent = across ? bounds.right - bounds.left : bounds.bottom - bounds.top;
  const int bands = layout_.colorCount;
  for (int i = 0; i < bands; ++i) {
    const int from = BandEdge(extent, bands, i);
    const int to = BandEdge(extent, bands, i + 1);
    if (to <= from) {
      continue;
    }
    RECT band = bounds;
    if (across) {
      band.left = bounds.left + from;
      band.right = bounds.left + to;
    } else {
      band.top = bounds.top + from;
      band.bottom = bounds.top + to;
    }
    // The first band (top or left) takes ColorTo, the last ColorFrom.
    const ScopedBrush brush(::CreateSolidBrush(BandColor(to_, from_, bands, i)));
    ::FillRect(dc, &band, brush.get());
  }
}

// --- TImage -------------------------------------------------------------------------------

TImage::TImage(TForm& form, const ControlSpec& layout) : TGraphicControl(form, layout) {
  if (layout.picture == nullptr) {
    return;
  }
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (layout.pictureIsIcon) {
    icon_.Reset(static_cast<HICON>(::LoadImageW(instance, layout.picture, IMAGE_ICON, 32, 32, 0)));
  } else {
    bitmap_.Reset(static_cast<HBITMAP>(
        ::LoadImageW(instance, layout.picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
}

void TImage::Assign(const TImage& source) {
  icon_.Close();
  bitmap_.Close();
  if (source.bitmap_.IsValid()) {
    bitmap_.Reset(static_cast<HBITMAP>(
        ::CopyImage(source.bitmap_.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  } else if (source.icon_.IsValid()) {
    icon_.Reset(::CopyIcon(source.icon_.get()));
  }
  Invalidate();
}

void TImage::Paint(HDC dc) const {
  const RECT bounds = Bounds();
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (icon_.IsValid()) {
    ::DrawIconEx(dc, bounds.left, bounds.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!bitmap_.IsValid()) {
    return;
  }
  BITMAP info{};
  ::GetObjectW(bitmap_.get(), sizeof(info), &info);
  const ScopedMemoryDc memory(::CreateCompatibleDC(dc));
  const ScopedSelect select(memory.get(), bitmap_.get());
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, bounds.left, bounds.top, width, height, memory.get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

}  // namespace tv
