// Window layouts as data: each form's controls in one table, read by the form like a resource.
// Pure types, no Win32. Coordinates are pixels at 96 dpi; the form scales them.
#pragma once

#include <span>

#include "core/geometry.h"

namespace tv {

enum class ControlKind { Label, Button, Panel, Gradient, Image };
enum class TextAlign { Left, Center };
// With either direction the first band (top or left) takes ColorTo and the last ColorFrom.
enum class GradientDirection { BottomToTop, RightToLeft };
// SingleNoIcons: fixed single border with a caption and no title-bar buttons at all.
// Dialog: fixed dialog frame with a caption, close box and system menu.
enum class FormBorder { SingleNoIcons, Dialog };
enum class FormPosition { DesktopCenter, ScreenCenterFirstTime };

// Stands for the system's window-text colour, resolved when painting.
inline constexpr Color kWindowTextColor = 0xFF000008u;

struct FontSpec {
  const wchar_t* face = nullptr;  // nullptr: the form's font
  int height = 0;                 // character height in pixels
  bool bold = false;
  bool ansiCharset = false;  // ANSI character set rather than the default one
  Color color = kWindowTextColor;
};

struct ControlSpec {
  const wchar_t* name = L"";
  ControlKind kind = ControlKind::Label;
  int left = 0, top = 0, width = 0, height = 0;
  const wchar_t* parent = nullptr;  // name of the containing panel; nullptr for the form
  const wchar_t* caption = L"";
  FontSpec font{};
  TextAlign align = TextAlign::Left;
  bool autoSize = false;  // a label that grows to the right with its text
  bool wordWrap = false;
  bool visible = true;
  Color color = 0;  // a panel's background
  Color colorFrom = 0, colorTo = 0;
  int colorCount = 0;
  GradientDirection direction = GradientDirection::BottomToTop;
  int modalResult = 0;
  bool handCursor = false;           // a button that shows the hand pointer
  int id = 0;                        // control identifier of a windowed control
  const wchar_t* picture = nullptr;  // resource name of an image's picture
  bool pictureIsIcon = false;
};

struct FormSpec {
  const wchar_t* className = L"";
  const wchar_t* caption = L"";
  int clientWidth = 0, clientHeight = 0;
  FormBorder border = FormBorder::SingleNoIcons;
  FormPosition position = FormPosition::DesktopCenter;
  bool topmost = false;
  Color color = 0;
  FontSpec font{};
  bool keyPreview = false;
  std::span<const ControlSpec> controls;
};

}  // namespace tv
