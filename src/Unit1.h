// The main window: the whole upgrade runs in its show handler, and its OK button ends the run.
#pragma once

#include <string>

#include "core/version.h"
#include "ui/form.h"

namespace tv {

// Constants of the engine.
inline constexpr VersionNumber NewVersion = 10006;          // the version of the carried executable
inline constexpr VersionNumber InstalledThreshold = 10000;  // installed only when above 1.0000
inline constexpr wchar_t AppName[] = L"Talvorinte";
inline constexpr wchar_t AppExeName[] = L"Talvorinte.exe";
inline constexpr wchar_t InstallRecordFile[] = L"GMT.dII";  // capital I twice, not "dll"
inline constexpr wchar_t InstallRecordSection[] = L"56";
inline constexpr Color kRed = 0x000000FF;

// Waits of the replacement: paced, and bounded so the window always comes up.
#ifndef TALVORINTE_UNATTENDED_WAIT_MS
#define TALVORINTE_UNATTENDED_WAIT_MS 60000
#endif
// How long the unattended branch waits for the old executable to go away.
inline constexpr DWORD kUnattendedWaitLimitMs = TALVORINTE_UNATTENDED_WAIT_MS;
// How long a refused rename is retried (a virus scanner may hold a fresh file for a moment).
inline constexpr DWORD kRenameRetryLimitMs = 5000;
inline constexpr DWORD kRetryPauseMs = 50;
// How long the tool waits for the self-removal batch file to be running before it hands over
// and exits, and how often it starts the interpreter again when that ended at once.
inline constexpr unsigned kBatchStartWaitMs = 2000;
inline constexpr int kBatchStartAttempts = 3;

extern const FormSpec kForm1Layout;

class TForm1 : public TForm {
 public:
  TForm1();

  TLabel& Label1;
  TLabel& Linia1;
  TLabel& Linia2;
  TLabel& Linia3;
  TLabel& Linia4;
  TPanel& Panel1;
  TButton& Button1;
  TGradientPanel& GradientPanel1;

 protected:
  void FormCreate() override;
  void FormShow() override;
  // The only way out is OK: the close box, Alt+F4 and WM_CLOSE do nothing.
  bool AllowClose() const override { return false; }

 private:
  void Button1Click();

  // The upgrade itself, when one is due: the payload into Tmp, the old executable out of the
  // way (waiting for the main application, or asking the user to close it), Tmp renamed in its
  // place. Reports the end state on Linia3 and Linia4 and sets TargetExe after extraction.
  void ReplaceExecutable();
  // The end states that leave a red message on Linia3.
  void ShowFailure(const std::wstring& message);

  // Sets WinDir, StartedWithParam, InstallDir and InstalledVersion, in that order. Never fails:
  // what is missing becomes an empty text or a version of 0.
  void ReadInstallContext();
  // One key of the installation record's section, read anew; empty when missing.
  std::wstring ReadInstallValue(const std::wstring& key) const;
  std::wstring Show(VersionNumber version) const;
  // Writes the payload resource, byte for byte, to fileName. True when the file holds the
  // whole payload; false on any failure, shown to nobody (the caller reports it).
  bool ExtractPayload(const std::wstring& typeName, const std::wstring& resourceName,
                      const std::wstring& fileName) const;

  std::wstring WinDir;
  VersionNumber InstalledVersion = 0;
  std::wstring InstallDir;
  std::wstring TargetExe;
  bool StartedWithParam = false;
};

extern TForm1* Form1;

}  // namespace tv
