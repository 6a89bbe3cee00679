// A top-level window built from a FormSpec: its controls, its painting, keyboard handling,
// modal showing and placement.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/handles.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace tv {

struct ShiftState {
  bool shift = false;
  bool alt = false;
  bool ctrl = false;
};

class TForm : public Window {
 public:
  explicit TForm(const FormSpec& layout);
  ~TForm() override;

  const FormSpec& layout() const { return layout_; }

  // Creates the window, hidden, and the controls' windows; then runs FormCreate.
  void CreateHandle(HWND owner);

  // Pixels at 96 dpi to device pixels.
  int Scale(int pixelsAt96) const;
  HFONT FormFont() const { return font_.get(); }
  // A font from a layout's layout, scaled; the form's own font when the layout names no face.
  ScopedFont MakeFont(const FontSpec& wanted) const;

  // The component of that name; the layout guarantees it exists.
  TControl* FindComponent(std::wstring_view name) const;
  template <typename T>
  T& Component(std::wstring_view name) const {
    return static_cast<T&>(*FindComponent(name));
  }
  const std::vector<std::unique_ptr<TControl>>& Components() const { return controls_; }
  // The window that holds controls whose layout names `parent` (nullptr: the form itself).
  HWND ContainerHandle(const wchar_t* parent) const;

  void SetCaption(std::wstring_view caption);

  // The main form's showing: FormShow runs while the window is not yet on screen, then the
  // window is placed, shown and activated.
  void ShowAsMainForm();
  // Shows the form modally and returns its modal result once one is set. Other windows of the
  // thread take no input meanwhile; messages go on being dispatched.
  int ShowModal();
  bool IsShowingModal() const { return showingModal_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // As the close box: ends a modal showing with the result 2.
  void Close();

  // Keyboard handling before dispatch: key preview, Enter and accelerators for buttons, Tab.
  // True when the message has been handled.
  bool PreTranslateMessage(const MSG& msg);

  // Paints the graphic controls held by `parent` (nullptr: the form), in layout order.
  void PaintGraphics(HDC dc, const wchar_t* parent) const;
  TButton* ButtonOf(HWND window) const;
  TLabel* LabelOf(HWND window) const;
  // Routes a button's click: its OnClick, then its modal result to a modal showing.
  void ButtonClicked(TButton& button);

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormKeyDown(WORD& key, ShiftState shift);
  // False keeps the window open when it is asked to close (close box, Alt+F4, WM_CLOSE).
  virtual bool AllowClose() const { return true; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Answers WM_CTLCOLORSTATIC and WM_CTLCOLORBTN for the controls of this form.
  LRESULT ControlColor(HDC dc, HWND control) const;

 private:
  friend class TPanel;
  void Place();
  void FocusControl();
  void MoveFocus(bool backwards);
  std::vector<TButton*> VisibleButtons() const;

  const FormSpec& layout_;
  std::vector<std::unique_ptr<TControl>> controls_;
  ScopedFont font_;
  ScopedBrush background_;
  int dpi_ = 96;
  bool placedOnce_ = false;
  bool showingModal_ = false;
  int modalResult_ = 0;
  HWND lastFocus_ = nullptr;
};

// Resolves kWindowTextColor to the system's colour.
COLORREF ToColorRef(Color color);

}  // namespace tv
