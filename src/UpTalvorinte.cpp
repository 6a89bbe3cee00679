// Program entry: the application, its two windows, the run loop.
#include <windows.h>

#include <commctrl.h>

#include "EroriU.h"
#include "rtl/system.h"
#include "Unit1.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tv;
  // Before anything can load a library: only the system folder is searched, so a DLL planted
  // beside the tool (a download or installation folder) is never loaded in place of Windows'
  // own.
  LoadLibrariesFromSystemFolderOnly();
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
