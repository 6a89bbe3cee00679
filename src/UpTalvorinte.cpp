// Program entry: the application, its two windows, the run loop.
#include <windows.h>

#include <commctrl.h>

#include "EroriU.h"
#include "Unit1.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tv;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  Application.Initialize();
  Application.SetTitle(L"Actualizare Talvorinte");
  TForm1 form1;
  Form1 = &form1;
  Application.CreateForm(form1);
  TErori erori;
  Erori = &erori;
  Application.CreateForm(erori);
  Application.Run();
  return 0;
}
