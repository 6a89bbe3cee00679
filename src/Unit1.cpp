#include "Unit1.h"

#include <vector>

#include "EroriU.h"
#include "core/batch.h"
#include "core/cmdline.h"
#include "core/text.h"
#include "rtl/files.h"
#include "rtl/format.h"
#include "rtl/ini.h"
#include "rtl/processes.h"
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
  ReplaceExecutable();
}

void TForm1::ShowFailure(const std::wstring& message) {
  Linia3.SetFontColor(kRed);
  Linia3.SetCaption(message);
  Linia4.SetVisible(false);
}

void TForm1::ReplaceExecutable() {
  const std::wstring TmpFile = JoinPath(InstallDir, L"Tmp");
  // A leftover Tmp goes first; its attributes are not cleared, so a read-only one stays.
  if (FileExists(TmpFile) && !RemoveFile(TmpFile)) {
    ShowFailure(L"Nu pot scrie in " + InstallDir + L"!");
    return;
  }
  if (!ExtractPayload(L"Talvorinte", L"UpGrade", TmpFile)) {
    ShowFailure(L"Eroare la extragere fisiere!");
    return;
  }
  TargetExe = JoinPath(InstallDir, AppExeName);

  if (StartedWithParam) {
    // The main application has just been told to exit: its executable can be deleted once it
    // has. Try at once and then every 50 ms, for a bounded time, without a window meanwhile.
    const bool gone = RetryFor(kUnattendedWaitLimitMs, kRetryPauseMs, [this] {
      if (!FileExists(TargetExe)) {
        return true;
      }
      ClearFileAttributes(TargetExe);
      RemoveFile(TargetExe);
      return !FileExists(TargetExe);
    });
    if (!gone) {
      RemoveFile(TmpFile);
      ShowFailure(L"Nu pot modifica vechiul executabil!");
      return;
    }
  } else {
    // Started by the user: ask them to close the main application until it is out of the way.
    while (FileExists(TargetExe) &&
           (ClearFileAttributes(TargetExe) != 0 || !RemoveFile(TargetExe))) {
      const ModalResult answer =
          Erori->Mesaj(std::wstring(L"Actualizare ") + AppName,
                       std::wstring(L" Inchideti mai intai programul ") + AppName + L"!", kWarning,
                       kOk | kCancel);
      if (answer == 2) {
        RemoveFile(TmpFile);
        ShowFailure(L"Nu pot modifica vechiul executabil!");
        return;
      }
    }
    Application.ProcessMessages();
  }

  // A refused rename is retried briefly; if it still fails, Tmp stays with the complete new
  // executable, and the next run extracts again.
  if (!RetryFor(kRenameRetryLimitMs, kRetryPauseMs,
                [&] { return RenameDurably(TmpFile, TargetExe); })) {
    ShowFailure(std::wstring(L"Nu pot inlocui ") + AppExeName + L"!");
    return;
  }
  Linia3.SetVisible(false);
  Linia4.SetCaption(L"Actualizare incheiata cu succes!");
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
  if (!StartedWithParam) {
    Application.Terminate();
    return;
  }
  // Started by the main application: hand over to the new one, and have a batch file delete
  // this tool once Windows has released its executable, which happens only after exit.
  const std::wstring toolPath = OwnExecutablePath();
  const std::wstring batchPath = FolderPart(toolPath) + L"suicide.bat";
  const std::string batch =
      SelfRemovalBatch(PathForBatchFile(toolPath), PathForBatchFile(batchPath));
  if (const std::optional<std::wstring> error = SaveTextFile(batchPath, batch)) {
    // Nothing is started; the window stays, and OK tries again.
    Application.ShowErrorBox(*error);
    return;
  }
  // The new main application starts the tool again if it still finds it on disk, so the batch
  // file must already be in its loop when this process ends: give it a moment to start.
  // The batch file cannot finish while this process runs, so an interpreter that has already
  // ended has failed (seen under Wine on a busy machine): start it again, a few times.
  for (int attempt = 0; attempt < kBatchStartAttempts; ++attempt) {
    const ScopedHandle interpreter = StartBatchHidden(batchPath);
    if (interpreter &&
        WaitUntilBatchRuns(batchPath, interpreter.get(), kBatchStartWaitMs) != BatchState::Ended) {
      break;
    }
  }
  if (!TargetExe.empty()) {
    StartProgram(TargetExe);
  }
  Application.Halt();
}

}  // namespace tv
