// The main window's layout. Pixels at 96 dpi; colours $00BBGGRR.
#include "Unit1.h"
#include "Unit1Layout.h"

namespace tv {

namespace {

constexpr FontSpec kHeaderFont{.face = L"Arial", .height = 16, .bold = true, .ansiCharset = true};
constexpr FontSpec kLineFont{.face = L"Arial", .height = 13, .bold = false, .ansiCharset = true};
constexpr FontSpec kBoldLineFont{.face = L"Arial", .height = 13, .bold = true, .ansiCharset = true};

constexpr Color kWindowColor = 0x00DFEEEE;
constexpr Color kWhite = 0x00FFFFFF;

constexpr ControlSpec kControls[] = {
    {.name = L"Label1",
     .kind = ControlKind::Label,
     .left = 8,
     .top = 8,
     .width = 361,
     .height = 22,
     .caption = L"Actualizare Evidenta Talvorinte 2",
     .font = kHeaderFont,
     .align = TextAlign::Center,
     .id = kForm1Label1Id},
    {.name = L"Linia1",
     .kind = ControlKind::Label,
     .left = 24,
     .top = 48,
     .width = 38,
     .height = 16,
     .caption = L"Linia 1",
     .font = kLineFont,
     .autoSize = true,
     .id = kForm1Linia1Id},
    {.name = L"Linia2",
     .kind = ControlKind::Label,
     .left = 24,
     .top = 64,
     .width = 38,
     .height = 16,
     .caption = L"Linia 2",
     .font = kLineFont,
     .autoSize = true,
     .id = kForm1Linia2Id},
    {.name = L"Linia3",
     .kind = ControlKind::Label,
     .left = 24,
     .top = 80,
     .width = 38,
     .height = 16,
     .caption = L"Linia 3",
     .font = kLineFont,
     .autoSize = true,
     .id = kForm1Linia3Id},
    {.name = L"Linia4",
     .kind = ControlKind::Label,
     .left = 24,
     .top = 96,
     .width = 43,
     .height = 16,
     .caption = L"Linia 4",
     .font = kBoldLineFont,
     .autoSize = true,
     .id = kForm1Linia4Id},
    {.name = L"Panel1",
     .kind = ControlKind::Panel,
     .left = 0,
     .top = 141,
     .width = 377,
     .height = 41,
     .color = kWhite,
     .id = kForm1Panel1Id},
    {.name = L"GradientPanel1",
     .kind = ControlKind::Gradient,
     .left = 1,
     .top = 1,
     .width = 375,
     .height = 39,
     .parent = L"Panel1",
     .colorFrom = kWindowColor,
     .colorTo = kWhite,
     .colorCount = 64,
     .direction = GradientDirection::BottomToTop},
    {.name = L"Button1",
     .kind = ControlKind::Button,
     .left = 144,
     .top = 8,
     .width = 75,
     .height = 25,
     .parent = L"Panel1",
     .caption = L"OK",
     .id = kForm1Button1Id},
};

}  // namespace

const FormSpec kForm1Layout{
    .className = L"TForm1",
    .caption = L"Actualizare",
    .clientWidth = 377,
    .clientHeight = 182,
    .border = FormBorder::SingleNoIcons,
    .position = FormPosition::DesktopCenter,
    .topmost = true,
    .color = kWindowColor,
    .font = {.face = L"MS Sans Serif", .height = 11},
    .controls = kControls,
};

}  // namespace tv
