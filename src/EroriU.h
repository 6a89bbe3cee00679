// The tool's own message dialog: a gradient strip with the kind's picture and the title, the
// text, and a strip with the chosen buttons in one row. One instance, reused by every call.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/form.h"

namespace tv {

// 0 Warning, 1 Error, 2 Information, 3 Confirmation; every other value is shown as Error.
using MessageKind = std::uint8_t;
inline constexpr MessageKind kWarning = 0;
inline constexpr MessageKind kError = 1;
inline constexpr MessageKind kInformation = 2;
inline constexpr MessageKind kConfirmation = 3;

// Bit 0 Yes, bit 1 No, bit 2 OK, bit 3 Cancel; other bits are ignored.
using MessageButtons = std::uint16_t;
inline constexpr MessageButtons kYes = 1, kNo = 2, kOk = 4, kCancel = 8;

// The modal result: 1 OK, 2 Cancel, 6 Yes, 7 No (IDOK, IDCANCEL, IDYES, IDNO).
using ModalResult = std::uint16_t;

extern const FormSpec kEroriLayout;

class TErori : public TForm {
 public:
  TErori();

  TGradientPanel& GradientPanel1;
  TImage& Image1;
  TGradientPanel& GradientPanel2;
  TLabel& Label1;
  TImage& Image2;
  TImage& Image3;
  TImage& Image4;
  TImage& Image5;
  TButton& BE1;
  TButton& BE2;
  TButton& BE3;
  TButton& BE4;
  TLabel& EroText;

  // Shows Title and Text in the look of Kind with the Buttons chosen, modally, and returns the
  // modal result; 2 when closed without a button (Escape, close box, Alt+F4). Returns 2 at
  // once, showing nothing, when Buttons holds none of the four bits (an Error still beeps), and
  // when the dialog is already showing (that showing is not disturbed). Never raises.
  ModalResult Mesaj(std::wstring_view Title, std::wstring_view Text, MessageKind Kind,
                    MessageButtons Buttons);

 protected:
  void FormKeyDown(WORD& key, ShiftState shift) override;
};

extern TErori* Erori;

}  // namespace tv
