#include "Unit1.h"

#include <vector>

#include "core/cmdline.h"
#include "core/text.h"
#include "rtl/format.h"
#include "rtl/ini.h"
#include "rtl/resources.h"
#include "rtl/system.h"
#include "ui/application.h"

namespace tv {

TForm1* Form1 = nullptr;

TForm1::TForm1()
    : TForm(kForm1Layout),
      Label1(Component<TLabel>(L"Label1")),
      Linia1(Component<TLabel>(L"Linia1")),
      Linia2(Component<TLabel>(L"Linia2")),
      Linia3(Component<TLabel>(L"Linia3")),
      Linia4(Component<TLabel>(L"Linia4")),
      Panel1(Component<TPanel>(L"Panel1")),
      Button1(Component<TButton>(L"Button1")),
      GradientPanel1(Component<TGradientPanel>(L"GradientPanel1")) {
  Button1.OnClick = [this] { Button1Click(); };
}

void TForm1::FormCreate() {
  // Versions are read and shown with a full stop, whatever the regional settings say.
  DecimalSeparator = L'.';
}

std::wstring TForm1::Show(VersionNumber version) const {
  return ShowVersion(version, DecimalSeparator);
}

void TForm1::FormShow() {
  ReadInstallContext();
  Label1.SetCaption(std::wstring(L"Actualizare ") + AppName + L" la ver." + Show(NewVersion));

  if (InstalledVersion <= InstalledThreshold) {
    Linia2.SetFontColor(kRed);
    Linia2.SetCaption(std::wstring(L"Programul ") + AppName + L" nu este instalat!");
    Linia1.SetVisible(false);
    Linia3.SetVisible(false);
    Linia4.SetVisible(false);
    return;
  }

  Linia1.SetCaption(L"Aveti instalata versiunea " + Show(InstalledVersion));
  // The file test only when the versions call for it.
  if (NewVersion <= InstalledVersion && FileExists(JoinPath(InstallDir, AppExeName))) {
    Linia2.SetFontColor(kRed);
    Linia2.SetCaption(L"Aveti deja ultima versiune!");
    Linia3.SetVisible(false);
    Linia4.SetVisible(false);
    return;
  }

  Linia2.SetCaption(L"Actualizam programul la versiunea " + Show(NewVersion));
  // The replacement of the executable is not part of this build yet: no placeholder shows.
  Linia3.SetVisible(false);
  Linia4.SetVisible(false);
}

void TForm1::ReadInstallContext() {
  WinDir = WindowsFolder();

  const std::vector<std::wstring> params = CommandLineParams(ProcessCommandLine());
  StartedWithParam = !params.empty();

  // The parameter is trusted only when it names an existing file and the tool lies beside a
  // DATA folder, as it does in an installation; otherwise the tool's own folder stands in.
  const std::wstring ownFolder = FolderPart(OwnExecutablePath());
  std::wstring candidate = StartedWithParam ? params.front() : std::wstring();
  if (!(FileExists(candidate) && DirectoryExists(ownFolder + L"DATA"))) {
    candidate = ownFolder + AppExeName;
  }

  InstallDir = StartedWithParam ? FolderPart(candidate) : ReadInstallValue(L"CALE");
  InstallDir = TidyFolder(InstallDir);

  InstalledVersion = ReadVersion(ReadInstallValue(L"VER"), DecimalSeparator);
}

std::wstring TForm1::ReadInstallValue(const std::wstring& key) const {
  const IniReader record(JoinPath(WinDir, InstallRecordFile));
  return record.ReadString(InstallRecordSection, key, L"");
}

bool TForm1::ExtractPayload(const std::wstring& typeName, const std::wstring& resourceName,
                            const std::wstring& fileName) const {
  return ExtractResourceToFile(typeName, resourceName, fileName);
}

void TForm1::Button1Click() {
  Application.Terminate();
}

}  // namespace tv
