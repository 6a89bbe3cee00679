// The controls of a form: labels and buttons (system STATIC and BUTTON windows, so screen
// readers and UI tests read them), panels (windows of ours), gradient strips and pictures
// (drawn by their parent, as graphic controls).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "rtl/handles.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace tv {

class TForm;

class TControl {
 public:
  TControl(TForm& form, const ControlSpec& layout);
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl() = default;

  const ControlSpec& layout() const { return layout_; }
  std::wstring_view Name() const { return layout_.name; }
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Left edge in layout pixels (96 dpi).
  int Left() const { return left_; }
  virtual void SetLeft(int left);
  // Bounds in the parent's client area, in device pixels.
  virtual RECT Bounds() const;
  // Creates the control's window, if it has one; called once the parent window exists.
  virtual void CreateHandle() {}
  // The window that holds this control: the form or a panel.
  HWND ParentHandle() const;

 protected:
  TForm& form_;
  const ControlSpec& layout_;
  bool visible_;
  int left_;
};

// A control drawn by its parent window; it has no window of its own.
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
  virtual void Paint(HDC dc) const = 0;
  void SetVisible(bool visible) override;
  void SetLeft(int left) override;
  void Invalidate() const;
};

// A control that is a window of the system's classes.
class TWinControl : public TControl {
 public:
  using TControl::TControl;
  HWND handle() const { return hwnd_; }
  void SetVisible(bool visible) override;
  void SetLeft(int left) override;

 protected:
  HWND hwnd_ = nullptr;
};

// A one-line or word-wrapped text with a transparent background. An ampersand underlines the
// next character; two show one.
class TLabel : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void CreateHandle() override;
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring_view caption);
  Color FontColor() const { return color_; }
  void SetFontColor(Color color);
  RECT Bounds() const override;

 private:
  void FitToText();
  void RepaintBackground(const RECT& area) const;
  ScopedFont font_;
  std::wstring caption_;
  Color color_ = kWindowTextColor;
  int autoWidth_ = -1;  // device pixels, for a label that sizes itself to its text
};

class TButton : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void CreateHandle() override;
  int ModalResult() const { return layout_.modalResult; }
  // The letter after the single ampersand of the caption, upper case; 0 when there is none.
  wchar_t Accelerator() const;
  std::function<void()> OnClick;
};

// A rectangle of its own colour with a raised one-pixel bevel; hosts other controls.
class TPanel : public TControl, public Window {
 public:
  using TControl::TControl;
  void CreateHandle() override;
  void SetVisible(bool visible) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintContent(HDC dc) const;
};

// A stepped colour gradient of ColorCount bands.
class TGradientPanel : public TGraphicControl {
 public:
  TGradientPanel(TForm& form, const ControlSpec& layout);
  Color ColorFrom() const { return from_; }
  Color ColorTo() const { return to_; }
  // Setting either colour repaints the strip.
  void SetColorFrom(Color color);
  void SetColorTo(Color color);
  void Paint(HDC dc) const override;

 private:
  Color from_;
  Color to_;
};

// A picture: a bitmap, or an icon drawn with its transparency.
class TImage : public TGraphicControl {
 public:
  TImage(TForm& form, const ControlSpec& layout);
  // Takes a copy of the other image's picture; whatever this one showed is discarded.
  void Assign(const TImage& source);
  void Paint(HDC dc) const override;
  bool HasBitmap() const { return bitmap_.IsValid(); }

 private:
  ScopedBitmap bitmap_;
  ScopedIcon icon_;
};

}  // namespace tv
