// The replacement of the executable by the real tool under Wine, with the stand-in main
// application as the program that holds it: every end state, and what is on disk afterwards.
#include <gtest/gtest.h>

#include "EroriULayout.h"
#include "Unit1Layout.h"
#include "harness.h"

namespace tvtest {
namespace {

constexpr wchar_t kGivenUp[] = L"Nu pot modifica vechiul executabil!";

// An installation of the stand-in 1.0005: its folder with DATA, and the record naming it.
class Installation {
 public:
  Installation() {
    fs::create_directory(folder_ / L"DATA");
    record_.WriteValues(folder_.path().wstring(), L"1.0005");
  }
  const fs::path& path() const { return folder_.path(); }
  fs::path Exe() const { return folder_ / L"Talvorinte.exe"; }
  fs::path Tmp() const { return folder_ / L"Tmp"; }
  void InstallOldExe() const { fs::copy_file(BuildFolder() / L"Talvorinte-1.0005.exe", Exe()); }

  // Starts the old program as the user would; it shows its window (no tool beside it yet).
  std::unique_ptr<Process> StartOldProgram() const {
    auto program = std::make_unique<Process>(Exe());
    EXPECT_NE(WaitForWindow(program->Id(), L"TalvorinteStandIn"), nullptr);
    return program;
  }

  // Puts a build of the tool beside the installation and starts it: with the main
  // application's parameter (unattended) or without (interactive).
  std::unique_ptr<Process> StartTool(bool unattended,
                                     const wchar_t* build = L"UpTalvorinte.exe") const {
    fs::copy_file(BuildFolder() / build, folder_ / L"UpTalvorinte.exe",
                  fs::copy_options::overwrite_existing);
    LaunchOptions options;
    if (unattended) {
      options.arguments = L"\"" + Exe().wstring() + L"\"";
    }
    return std::make_unique<Process>(folder_ / L"UpTalvorinte.exe", options);
  }

 private:
  InstallRecord record_;
  TempFolder folder_{L"install"};
};

// What the main window shows at the end.
struct Lines {
  bool linia3Visible, linia3Red, linia4Visible;
  std::wstring linia3, linia4;
};

Lines WaitForOutcome(const Process& tool) {
  const HWND form = WaitForWindow(tool.Id(), L"TForm1", 90000);
  Lines lines{};
  EXPECT_NE(form, nullptr) << "the main window did not come up";
  if (form == nullptr)
    return lines;
  const HWND linia3 = ::GetDlgItem(form, tv::kForm1Linia3Id);
  const HWND linia4 = ::GetDlgItem(form, tv::kForm1Linia4Id);
  lines.linia3Visible = IsVisible(linia3);
  lines.linia4Visible = IsVisible(linia4);
  lines.linia3 = WindowText(linia3);
  lines.linia4 = WindowText(linia4);
  if (lines.linia3Visible) {
    lines.linia3Red =
        Eventually([&] { return Capture(form).Any(RectInParent(linia3), IsRed); }, 5000);
  }
  return lines;
}

void ExpectSuccess(const Lines& lines) {
  EXPECT_FALSE(lines.linia3Visible);
  EXPECT_TRUE(lines.linia4Visible);
  EXPECT_EQ(lines.linia4, kSuccess);
}

void ExpectFailure(const Lines& lines, const std::wstring& message) {
  EXPECT_TRUE(lines.linia3Visible);
  EXPECT_TRUE(lines.linia3Red);
  EXPECT_EQ(lines.linia3, message);
  EXPECT_FALSE(lines.linia4Visible);
}

enum class Arrange { Nothing, ReadOnlyExe, ExeIsAFolder, TmpIsAFolder, ReadOnlyTmp, LeftoverTmp };
enum class End { Success, TmpBlocked, ExtractionFailed, InstallFailed };

struct EndStateCase {
  const char* name;
  Arrange arrange;
  bool unattended;
  End end;
};

void PrintTo(const EndStateCase& c, std::ostream* out) {
  *out << c.name;
}

class EndStateTest : public testing::TestWithParam<EndStateCase> {};

TEST_P(EndStateTest, ShowsItAndLeavesTheDiskAsItSays) {
  const EndStateCase& c = GetParam();
  Installation install;
  switch (c.arrange) {
    case Arrange::Nothing:
      break;
    case Arrange::ReadOnlyExe:
      install.InstallOldExe();
      ::SetFileAttributesW(install.Exe().c_str(), FILE_ATTRIBUTE_READONLY);
      break;
    case Arrange::ExeIsAFolder:
      fs::create_directory(install.Exe());
      break;
    case Arrange::TmpIsAFolder:
      install.InstallOldExe();
      fs::create_directory(install.Tmp());
      break;
    case Arrange::ReadOnlyTmp:
      install.InstallOldExe();
      WriteBytes(install.Tmp(), "leftover");
      ::SetFileAttributesW(install.Tmp().c_str(), FILE_ATTRIBUTE_READONLY);
      break;
    case Arrange::LeftoverTmp:
      install.InstallOldExe();
      WriteBytes(install.Tmp(), "leftover");
      break;
  }
  const auto tool = install.StartTool(c.unattended);
  const Lines lines = WaitForOutcome(*tool);
  // No prompt was needed in any of these.
  EXPECT_EQ(FindProcessWindow(tool->Id(), L"TErori", true), nullptr);

  switch (c.end) {
    case End::Success:
      ExpectSuccess(lines);
      EXPECT_FALSE(fs::exists(install.Tmp()));
      EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());
      EXPECT_EQ(::GetFileAttributesW(install.Exe().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
      break;
    case End::TmpBlocked:
      ExpectFailure(lines, L"Nu pot scrie in " + install.path().wstring() + L"!");
      EXPECT_EQ(ReadBytes(install.Tmp()), "leftover");
      EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());
      break;
    case End::ExtractionFailed:
      ExpectFailure(lines, L"Eroare la extragere fisiere!");
      EXPECT_TRUE(fs::is_directory(install.Tmp()));
      EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());
      break;
    case End::InstallFailed:
      // Something named Talvorinte.exe is in the way of the rename: not a success; Tmp keeps
      // the complete new executable.
      ExpectFailure(lines, L"Nu pot inlocui Talvorinte.exe!");
      EXPECT_TRUE(ReadBytes(install.Tmp()) == Payload());
      EXPECT_TRUE(fs::is_directory(install.Exe()));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EndStates, EndStateTest,
    testing::Values(
        EndStateCase{"TargetAbsentInteractive", Arrange::Nothing, false, End::Success},
        EndStateCase{"TargetAbsentUnattended", Arrange::Nothing, true, End::Success},
        EndStateCase{"ReadOnlyTargetInteractive", Arrange::ReadOnlyExe, false, End::Success},
        EndStateCase{"ReadOnlyTargetUnattended", Arrange::ReadOnlyExe, true, End::Success},
        EndStateCase{"LeftoverTmpIsReplaced", Arrange::LeftoverTmp, false, End::Success},
        EndStateCase{"ReadOnlyTmpBlocks", Arrange::ReadOnlyTmp, false, End::TmpBlocked},
        EndStateCase{"ReadOnlyTmpBlocksUnattended", Arrange::ReadOnlyTmp, true, End::TmpBlocked},
        EndStateCase{"FolderNamedTmp", Arrange::TmpIsAFolder, false, End::ExtractionFailed},
        EndStateCase{"FolderNamedLikeTheExecutableInteractive", Arrange::ExeIsAFolder, false,
                     End::InstallFailed},
        EndStateCase{"FolderNamedLikeTheExecutableUnattended", Arrange::ExeIsAFolder, true,
                     End::InstallFailed}),
    [](const testing::TestParamInfo<EndStateCase>& info) { return std::string(info.param.name); });

// The prompt of the interactive branch, read from outside.
struct Prompt {
  HWND form = nullptr;
  explicit Prompt(const Process& tool) {
    Eventually([&] {
      form = FindProcessWindow(tool.Id(), L"TErori", true);
      return form != nullptr && Near(Capture(form).At(4, 124), RGB(239, 239, 239), 0);
    });
  }
  HWND Button(int id) const { return ::GetDlgItem(form, id); }
};

TEST(InteractiveBranch, AsksUntilTheUserHasClosedTheProgram) {
  Installation install;
  install.InstallOldExe();
  const auto program = install.StartOldProgram();
  const auto tool = install.StartTool(false);

  const Prompt prompt(*tool);
  ASSERT_NE(prompt.form, nullptr) << "no prompt came up";
  EXPECT_EQ(WindowText(prompt.form), L"Atentie !");
  EXPECT_EQ(WindowText(::GetDlgItem(prompt.form, tv::kEroriLabel1Id)), L"Actualizare Talvorinte");
  EXPECT_EQ(WindowText(::GetDlgItem(prompt.form, tv::kEroriEroTextId)),
            L" Inchideti mai intai programul Talvorinte!");
  EXPECT_FALSE(IsVisible(prompt.Button(tv::kEroriBE1Id)));
  EXPECT_FALSE(IsVisible(prompt.Button(tv::kEroriBE2Id)));
  EXPECT_TRUE(IsVisible(prompt.Button(tv::kEroriBE3Id)));
  EXPECT_TRUE(IsVisible(prompt.Button(tv::kEroriBE4Id)));
  // The main window comes up only after the prompts.
  EXPECT_EQ(FindProcessWindow(tool->Id(), L"TForm1", true), nullptr);

  // OK while the program still runs: asked again.
  ::SendMessageW(prompt.Button(tv::kEroriBE4Id), BM_CLICK, 0, 0);
  EXPECT_TRUE(Stays([&] {
    return FindProcessWindow(tool->Id(), L"TForm1", true) == nullptr && program->Running();
  }));
  const Prompt again(*tool);
  ASSERT_NE(again.form, nullptr);
  EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());

  // The user closes the program, then answers OK.
  ::PostMessageW(WaitForWindow(program->Id(), L"TalvorinteStandIn"), WM_CLOSE, 0, 0);
  ASSERT_EQ(program->WaitForExit(20000), 0u);
  ::SendMessageW(again.Button(tv::kEroriBE4Id), BM_CLICK, 0, 0);
  ExpectSuccess(WaitForOutcome(*tool));
  EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());
  EXPECT_FALSE(fs::exists(install.Tmp()));
}

struct GiveUpCase {
  const char* name;
  void (*answer)(const Prompt&);
};

void PrintTo(const GiveUpCase& c, std::ostream* out) {
  *out << c.name;
}

class GiveUpTest : public testing::TestWithParam<GiveUpCase> {};

TEST_P(GiveUpTest, DeletesTmpAndKeepsTheOldExecutable) {
  Installation install;
  install.InstallOldExe();
  const auto program = install.StartOldProgram();
  const auto tool = install.StartTool(false);
  const Prompt prompt(*tool);
  ASSERT_NE(prompt.form, nullptr);
  EXPECT_TRUE(fs::exists(install.Tmp()));  // extracted before asking
  GetParam().answer(prompt);
  ExpectFailure(WaitForOutcome(*tool), kGivenUp);
  EXPECT_FALSE(fs::exists(install.Tmp()));
  EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());
  EXPECT_TRUE(program->Running());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, GiveUpTest,
    testing::Values(
        GiveUpCase{
            "Renunt",
            [](const Prompt& p) { ::SendMessageW(p.Button(tv::kEroriBE3Id), BM_CLICK, 0, 0); }},
        GiveUpCase{"Escape",
                   [](const Prompt& p) {
                     ::PostMessageW(p.Button(tv::kEroriBE3Id), WM_KEYDOWN, VK_ESCAPE, 0);
                   }},
        GiveUpCase{"CloseBox",
                   [](const Prompt& p) { ::PostMessageW(p.form, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const testing::TestParamInfo<GiveUpCase>& info) { return std::string(info.param.name); });

TEST(UnattendedBranch, SwapsOnceTheProgramHasExited) {
  Installation install;
  install.InstallOldExe();
  const auto program = install.StartOldProgram();
  const auto tool = install.StartTool(true);
  // While the program runs the old executable stays, no prompt and no window show.
  EXPECT_TRUE(Stays(
      [&] {
        return ReadBytes(install.Exe()) == OldExe() &&
               FindProcessWindow(tool->Id(), L"TForm1", true) == nullptr &&
               FindProcessWindow(tool->Id(), L"TErori", true) == nullptr;
      },
      1500));
  ::PostMessageW(WaitForWindow(program->Id(), L"TalvorinteStandIn"), WM_CLOSE, 0, 0);
  ASSERT_EQ(program->WaitForExit(20000), 0u);
  ExpectSuccess(WaitForOutcome(*tool));
  EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());
  EXPECT_FALSE(fs::exists(install.Tmp()));
}

TEST(UnattendedBranch, GivesUpAfterTheBoundWhenTheProgramNeverExits) {
  // A build of the tool whose wait is bounded at 3 seconds instead of 60.
  Installation install;
  install.InstallOldExe();
  const auto program = install.StartOldProgram();
  const auto tool = install.StartTool(true, L"UpTalvorinte-shortwait.exe");
  ExpectFailure(WaitForOutcome(*tool), kGivenUp);
  EXPECT_FALSE(fs::exists(install.Tmp()));
  EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());
  EXPECT_TRUE(program->Running());
}

}  // namespace
}  // namespace tvtest
