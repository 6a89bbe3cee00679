#include "EroriU.h"

#include <string>
#include <vector>

#include "core/text.h"
#include "rtl/sound.h"

namespace tv {

TErori* Erori = nullptr;

namespace {

struct KindLook {
  const wchar_t* caption;
  const wchar_t* picture;  // the stored picture copied into Image1
  Color colorFrom;         // right end of the strips
  Color colorTo;           // left end
  bool beep;
};

// Every kind outside 0, 2 and 3 looks like an Error.
const KindLook& LookOf(MessageKind kind) {
  static const KindLook kWarningLook{L"Atentie !", L"Image4", 0x008AB1B7, 0x00233638, false};
  static const KindLook kInformationLook{L"Informatie", L"Image2", 0x00FADEE1, 0x00BB0000, false};
  static const KindLook kConfirmationLook{L"Confirmare", L"Image3", 0x00D3A281, 0x009C5F36, false};
  static const KindLook kErrorLook{L"Eroare", L"Image5", 0x00D5D5FF, 0x000000FF, true};
  switch (kind) {
    case kWarning:
      return kWarningLook;
    case kInformation:
      return kInformationLook;
    case kConfirmation:
      return kConfirmationLook;
    default:
      return kErrorLook;
  }
}

// Which bit of Buttons shows which button: OK and Cancel go crosswise.
struct ButtonBit {
  int number;  // the button is found by its name, "BE" and this number
  int bit;
};
constexpr ButtonBit kButtonBits[] = {{1, 0}, {2, 1}, {3, 3}, {4, 2}};

}  // namespace

TErori::TErori()
    : TForm(kEroriLayout),
      GradientPanel1(Component<TGradientPanel>(L"GradientPanel1")),
      Image1(Component<TImage>(L"Image1")),
      GradientPanel2(Component<TGradientPanel>(L"GradientPanel2")),
      Label1(Component<TLabel>(L"Label1")),
      Image2(Component<TImage>(L"Image2")),
      Image3(Component<TImage>(L"Image3")),
      Image4(Component<TImage>(L"Image4")),
      Image5(Component<TImage>(L"Image5")),
      BE1(Component<TButton>(L"BE1")),
      BE2(Component<TButton>(L"BE2")),
      BE3(Component<TButton>(L"BE3")),
      BE4(Component<TButton>(L"BE4")),
      EroText(Component<TLabel>(L"EroText")) {}

ModalResult TErori::Mesaj(std::wstring_view Title, std::wstring_view Text, MessageKind Kind,
                          MessageButtons Buttons) {
  if (IsShowingModal()) {
    return 2;  // one showing at a time; the one on screen goes on undisturbed
  }
  Label1.SetCaption(Title);
  EroText.SetCaption(Text);

  const KindLook& look = LookOf(Kind);
  SetCaption(look.caption);
  Image1.Assign(Component<TImage>(look.picture));
  GradientPanel1.SetColorFrom(look.colorFrom);
  GradientPanel1.SetColorTo(look.colorTo);
  if (look.beep) {
    DefaultBeep();
  }
  GradientPanel2.SetColorFrom(GradientPanel1.ColorFrom());
  GradientPanel2.SetColorTo(GradientPanel1.ColorTo());

  std::vector<TButton*> shown;
  for (const ButtonBit& entry : kButtonBits) {
    auto& button = Component<TButton>(L"BE" + DecimalDigits(entry.number));
    const bool visible = (Buttons & (1u << entry.bit)) != 0;
    button.SetVisible(visible);
    if (visible) {
      shown.push_back(&button);
    }
  }
  if (shown.empty()) {
    return 2;
  }
  const std::vector<int> lefts = ButtonRowLefts(static_cast<int>(shown.size()));
  for (size_t k = 0; k < shown.size(); ++k) {
    shown[k]->SetLeft(lefts[k]);
  }
  return static_cast<ModalResult>(ShowModal());
}

void TErori::FormKeyDown(WORD& key, ShiftState) {
  if (key == VK_ESCAPE) {
    Close();
  }
}

}  // namespace tv
