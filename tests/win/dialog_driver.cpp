// Drives the real message dialog for the tests: a main window of its own, then one call of
// Erori.Mesaj per argument "kind|buttons|title|text". After each call it appends
// "<result> <beeps during the call>" to the results file named by the first argument.
// Messages posted to its main window: WM_APP+5 sets its caption to "pinged" (shows that the
// dialog's loop dispatches them); WM_APP+6 calls Mesaj again from inside a showing and puts
// "nested=<result>" into its caption. After the calls it stays up until its main window is
// closed.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "EroriU.h"
#include "rtl/sound.h"
#include "ui/application.h"

namespace {

int beeps = 0;

constexpr tv::ControlSpec kDriverControls[] = {
    {.name = L"Label1",
     .kind = tv::ControlKind::Label,
     .left = 8,
     .top = 8,
     .width = 200,
     .height = 16,
     .caption = L"Dialog driver",
     .id = 301},
};
const tv::FormSpec kDriverLayout{.className = L"DialogDriverMain",
                                 .caption = L"driver",
                                 .clientWidth = 240,
                                 .clientHeight = 80,
                                 .color = 0x00FFFFFF,
                                 .font = {.face = L"MS Sans Serif", .height = 11},
                                 .controls = kDriverControls};

class DriverMain : public tv::TForm {
 public:
  DriverMain() : TForm(kDriverLayout) {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP + 5) {
      SetCaption(L"pinged");
      return 0;
    }
    if (message == WM_CLOSE) {
      tv::Application.Terminate();
      return 0;
    }
    if (message == WM_APP + 6) {
      const tv::ModalResult nested = tv::Erori->Mesaj(L"Nested", L"Nested", tv::kWarning, 4);
      SetCaption(L"nested=" + std::to_wstring(nested));
      return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
  }
};

std::vector<std::wstring> Split(const std::wstring& text) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t bar = text.find(L'|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::wstring::npos) {
      return parts;
    }
    start = bar + 1;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tv;
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 2) {
    return 2;
  }
  SetBeepFunction([] { ++beeps; });
  Application.Initialize();
  Application.SetTitle(L"Dialog driver");
  DriverMain main;
  Application.CreateForm(main);
  TErori erori;
  Erori = &erori;
  Application.CreateForm(erori);
  main.ShowAsMainForm();

  for (int i = 2; i < argc; ++i) {
    const std::vector<std::wstring> call = Split(argv[i]);
    if (call.size() != 4) {
      return 3;
    }
    beeps = 0;
    const ModalResult result =
        Erori->Mesaj(call[2], call[3], static_cast<MessageKind>(std::stoi(call[0])),
                     static_cast<MessageButtons>(std::stoi(call[1])));
    FILE* out = _wfopen(argv[1], L"ab");
    std::fprintf(out, "%u %d\n", static_cast<unsigned>(result), beeps);
    std::fclose(out);
  }
  ::LocalFree(argv);
  // Stays up until its main window is closed, so the tests can look at it after the calls.
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    Application.Dispatch(msg);
  }
  return 0;
}
