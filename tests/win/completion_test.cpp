// The end of a run, and whole runs end to end, under Wine with the stand-in main application:
// OK hands over to the new program and the tool removes itself through its batch file.
#include <gtest/gtest.h>

#include "Unit1Layout.h"
#include "harness.h"

namespace tvtest {
namespace {

// Every visible top-level window of a class, in any process.
std::vector<HWND> WindowsOfClass(const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        wchar_t name[128] = {};
        ::GetClassNameW(window, name, 128);
        if (wcscmp(name, s->className) == 0 && ::IsWindowVisible(window)) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A process found through one of its windows.
tv::ScopedHandle OpenProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return tv::ScopedHandle(::OpenProcess(
      SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id));
}

std::optional<DWORD> WaitForExit(const tv::ScopedHandle& process) {
  if (!process || ::WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

// Ends every stand-in and tool left at the end of a test, so the next one starts clean.
struct StandInsClosed {
  ~StandInsClosed() {
    for (const wchar_t* name : {L"TalvorinteStandIn", L"TForm1"}) {
      for (HWND window : WindowsOfClass(name)) {
        const tv::ScopedHandle process = OpenProcessOf(window);
        ::TerminateProcess(process.get(), 1);
        WaitForExit(process);
      }
    }
  }
};

// The new main application starts the tool again when it finds it still on disk: the tool has
// exited and its batch file has not yet deleted it. That run finds the installation current;
// its OK removes the tool in turn. Answers such runs, for a bounded time.
void AnswerRestartedTools(const fs::path& tool) {
  Eventually(
      [&] {
        for (HWND form : WindowsOfClass(L"TForm1")) {
          if (WindowText(::GetDlgItem(form, tv::kForm1Linia2Id)) ==
              L"Aveti deja ultima versiune!") {
            ::PostMessageW(
                ::GetDlgItem(::GetDlgItem(form, tv::kForm1Panel1Id), tv::kForm1Button1Id), BM_CLICK,
                0, 0);
          }
        }
        return WindowsOfClass(L"TForm1").empty() && !fs::exists(tool);
      },
      30000);
}

class Installation {
 public:
  explicit Installation(const std::wstring& name = L"install") : folder_(name) {
    fs::create_directory(folder_ / L"DATA");
  }
  const fs::path& path() const { return folder_.path(); }
  fs::path Exe() const { return folder_ / L"Talvorinte.exe"; }
  fs::path Tool() const { return folder_ / L"UpTalvorinte.exe"; }
  fs::path Batch() const { return folder_ / L"suicide.bat"; }
  void InstallOldExe() const { fs::copy_file(BuildFolder() / L"Talvorinte-1.0005.exe", Exe()); }
  void InstallTool() const {
    fs::copy_file(ToolExe(), Tool(), fs::copy_options::overwrite_existing);
  }
  // The old version installed and recorded, the tool beside it, started with the main
  // application's parameter.
  std::unique_ptr<Process> StartUnattendedUpgrade(InstallRecord& record) const {
    InstallOldExe();
    record.WriteValues(path().wstring(), L"1.0005");
    InstallTool();
    LaunchOptions options;
    options.arguments = L"\"" + Exe().wstring() + L"\"";
    return std::make_unique<Process>(Tool(), options);
  }
  bool ToolRemovedItself() const {
    return Eventually([&] { return !fs::exists(Tool()) && !fs::exists(Batch()); }, 30000);
  }

 private:
  InstallRecord record_;
  TempFolder folder_;
};

// The main window of the tool, wherever it was started from.
HWND WaitForMainWindow() {
  HWND form = nullptr;
  Eventually(
      [&] {
        const std::vector<HWND> found = WindowsOfClass(L"TForm1");
        form = found.empty() ? nullptr : found.front();
        return form != nullptr;
      },
      90000);
  return form;
}

HWND Line(HWND form, int id) {
  return ::GetDlgItem(form, id);
}
HWND OkButton(HWND form) {
  return ::GetDlgItem(::GetDlgItem(form, tv::kForm1Panel1Id), tv::kForm1Button1Id);
}

TEST(TypicalRun, TheOldProgramStartsTheToolWhichSwapsHandsOverAndRemovesItself) {
  const StandInsClosed cleanup;
  Installation install;
  install.InstallOldExe();
  install.InstallTool();

  // The old program writes the record, starts the tool with its own path and exits.
  Process old(install.Exe());
  ASSERT_EQ(old.WaitForExit(20000), 0u);
  const HWND form = WaitForMainWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(WindowText(Line(form, tv::kForm1Linia1Id)), L"Aveti instalata versiunea 1.0005");
  EXPECT_EQ(WindowText(Line(form, tv::kForm1Linia4Id)), kSuccess);
  EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());

  const tv::ScopedHandle tool = OpenProcessOf(form);
  ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
  EXPECT_EQ(WaitForExit(tool), 0u);

  // The new program runs and has written its version; the tool and its batch file are gone.
  EXPECT_TRUE(Eventually([] {
    for (HWND window : WindowsOfClass(L"TalvorinteStandIn")) {
      if (WindowText(window) == L"Talvorinte 1.0006")
        return true;
    }
    return false;
  }));
  AnswerRestartedTools(install.Tool());
  EXPECT_EQ(RecordValue(L"VER"), L"1.0006");
  EXPECT_EQ(RecordValue(L"CALE"), install.path().wstring());
  EXPECT_TRUE(install.ToolRemovedItself());
  EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());
  EXPECT_FALSE(fs::exists(install.path() / L"Tmp"));
}

TEST(InteractiveRun, OkEndsTheToolWhichStaysAndStartsNothing) {
  const StandInsClosed cleanup;
  Installation install;
  install.InstallOldExe();
  Process program(install.Exe());  // shows its window: no tool beside it yet
  ASSERT_NE(WaitForWindow(program.Id(), L"TalvorinteStandIn"), nullptr);
  install.InstallTool();
  Process tool(install.Tool());

  HWND prompt = WaitForWindow(tool.Id(), L"TErori");
  ASSERT_NE(prompt, nullptr);
  ::PostMessageW(::GetDlgItem(prompt, 214), BM_CLICK, 0, 0);  // OK while it still runs
  EXPECT_TRUE(Stays([&] { return FindProcessWindow(tool.Id(), L"TForm1", true) == nullptr; }));
  ::PostMessageW(WaitForWindow(program.Id(), L"TalvorinteStandIn"), WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitForExit(20000), 0u);
  prompt = WaitForWindow(tool.Id(), L"TErori");
  ::PostMessageW(::GetDlgItem(prompt, 214), BM_CLICK, 0, 0);

  const HWND form = WaitForWindow(tool.Id(), L"TForm1");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(WindowText(Line(form, tv::kForm1Linia4Id)), kSuccess);
  ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
  EXPECT_EQ(tool.WaitForExit(20000), 0u);
  EXPECT_TRUE(Stays([] { return WindowsOfClass(L"TalvorinteStandIn").empty(); }));
  EXPECT_TRUE(fs::exists(install.Tool()));
  EXPECT_FALSE(fs::exists(install.Batch()));
  EXPECT_TRUE(ReadBytes(install.Exe()) == Payload());
}

enum class NoSwap { NotInstalled, AlreadyCurrent, TmpBlocked };

class UnattendedWithoutSwapTest : public testing::TestWithParam<NoSwap> {};

TEST_P(UnattendedWithoutSwapTest, TheToolStillRemovesItselfAndStartsNothing) {
  const StandInsClosed cleanup;
  Installation install;
  install.InstallOldExe();
  InstallRecord record;
  switch (GetParam()) {
    case NoSwap::NotInstalled:
      record.WriteValues(install.path().wstring(), std::nullopt);
      break;
    case NoSwap::AlreadyCurrent:
      record.WriteValues(install.path().wstring(), L"1.0006");
      break;
    case NoSwap::TmpBlocked:
      record.WriteValues(install.path().wstring(), L"1.0005");
      WriteBytes(install.path() / L"Tmp", "leftover");
      ::SetFileAttributesW((install.path() / L"Tmp").c_str(), FILE_ATTRIBUTE_READONLY);
      break;
  }
  install.InstallTool();
  LaunchOptions options;
  options.arguments = L"\"" + install.Exe().wstring() + L"\"";
  Process tool(install.Tool(), options);
  const HWND form = WaitForWindow(tool.Id(), L"TForm1");
  ASSERT_NE(form, nullptr);
  ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
  EXPECT_EQ(tool.WaitForExit(20000), 0u);
  EXPECT_TRUE(install.ToolRemovedItself());
  EXPECT_TRUE(WindowsOfClass(L"TalvorinteStandIn").empty());
  EXPECT_TRUE(ReadBytes(install.Exe()) == OldExe());
}

std::string NoSwapName(const testing::TestParamInfo<NoSwap>& info) {
  switch (info.param) {
    case NoSwap::NotInstalled:
      return "NotInstalled";
    case NoSwap::AlreadyCurrent:
      return "AlreadyCurrent";
    case NoSwap::TmpBlocked:
      return "TmpBlocked";
  }
  return "";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, UnattendedWithoutSwapTest,
                         testing::Values(NoSwap::NotInstalled, NoSwap::AlreadyCurrent,
                                         NoSwap::TmpBlocked),
                         NoSwapName);

// Self-removal from folders whose names the command interpreter could misread.
struct FolderCase {
  const char* name;
  const wchar_t* folder;
};

void PrintTo(const FolderCase& c, std::ostream* out) {
  *out << c.name;
}

class SelfRemovalFolderTest : public testing::TestWithParam<FolderCase> {};

TEST_P(SelfRemovalFolderTest, WorksWhateverTheFolderIsCalled) {
  const StandInsClosed cleanup;
  Installation install(GetParam().folder);
  InstallRecord record;
  const auto started = install.StartUnattendedUpgrade(record);
  Process& tool = *started;
  const HWND form = WaitForWindow(tool.Id(), L"TForm1");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(WindowText(Line(form, tv::kForm1Linia4Id)), kSuccess);
  ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
  EXPECT_EQ(tool.WaitForExit(20000), 0u);
  EXPECT_TRUE(Eventually([] { return !WindowsOfClass(L"TalvorinteStandIn").empty(); }))
      << "the new program was not started";
  AnswerRestartedTools(install.Tool());
  EXPECT_TRUE(install.ToolRemovedItself());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SelfRemovalFolderTest,
    testing::Values(FolderCase{"Spaces", L"Program Files Kit"},
                    FolderCase{"Ampersand", L"Kit & Co"}, FolderCase{"Percent", L"100% %PATH% Kit"},
                    FolderCase{"CaretAndParentheses", L"Kit ^(x86)"},
                    // Letters with and without a byte in the console's code page 852.
                    FolderCase{"RomanianLetters", L"Aplica\x021Bie \x0103\x00E2\x00EE\x0219"}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST(BatchFileError, ShowsTheErrorBoxStaysAndTriesAgainOnOk) {
  const StandInsClosed cleanup;
  Installation install;
  InstallRecord record;
  const auto started = install.StartUnattendedUpgrade(record);
  Process& tool = *started;
  const HWND form = WaitForWindow(tool.Id(), L"TForm1");
  ASSERT_NE(form, nullptr);

  {
    // Someone holds suicide.bat open without sharing: it cannot be created.
    WriteBytes(install.Batch(), "held");
    const tv::ScopedFile holder(::CreateFileW(install.Batch().c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
    const HWND box = WaitForWindow(tool.Id(), L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Actualizare Talvorinte");
    std::wstring text;
    bool hasIcon = false;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      ::GetClassNameW(child, name, 32);
      if (_wcsicmp(name, L"Static") == 0) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
          hasIcon = true;
        } else if (WindowText(child).size() > text.size()) {
          text = WindowText(child);
        }
      }
    }
    const std::wstring start = L"Cannot create file \"" + install.Batch().wstring() + L"\". ";
    EXPECT_EQ(text.substr(0, start.size()), start) << "the box said: " << ToAnsi(text, CP_UTF8);
    EXPECT_GT(text.size(), start.size());  // the system's reason follows
    EXPECT_EQ(text.back(), L'.');
    EXPECT_TRUE(hasIcon);
    // Nothing was started, and the tool goes on after the box.
    EXPECT_TRUE(WindowsOfClass(L"TalvorinteStandIn").empty());
    ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Stays([&] { return tool.Running() && ::IsWindowVisible(form); }));
  }
  // Released: OK again completes.
  ::PostMessageW(OkButton(form), BM_CLICK, 0, 0);
  EXPECT_EQ(tool.WaitForExit(20000), 0u);
  AnswerRestartedTools(install.Tool());
  EXPECT_TRUE(install.ToolRemovedItself());
}

}  // namespace
}  // namespace tvtest
