// The real tool under Wine: the main window, its layout, and the outcome of the version
// decision for installation contexts built on disk.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "Unit1Layout.h"
#include "harness.h"

namespace tvtest {
namespace {

constexpr wchar_t kHeader[] = L"Actualizare Talvorinte la ver.1.0006";
constexpr wchar_t kNotInstalled[] = L"Programul Talvorinte nu este instalat!";
constexpr wchar_t kAlreadyCurrent[] = L"Aveti deja ultima versiune!";
constexpr wchar_t kUpgradeDue[] = L"Actualizam programul la versiunea 1.0006";

// Wine takes a process's regional settings from the locale it was started in, and a process
// started from Windows code inherits them; the Romanian cases therefore run in a test process
// started with LANG=ro_RO.UTF-8 (see the test registration).
bool InRomanianLocale() {
  wchar_t separator[8] = {};
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return separator[0] == L',';
}

// The main window of a running tool, read from the outside.
struct MainWindow {
  HWND form = nullptr;
  HWND label1 = nullptr, linia[5] = {}, panel = nullptr, button = nullptr;

  explicit MainWindow(HWND window) : form(window) {
    label1 = ::GetDlgItem(form, tv::kForm1Label1Id);
    linia[1] = ::GetDlgItem(form, tv::kForm1Linia1Id);
    linia[2] = ::GetDlgItem(form, tv::kForm1Linia2Id);
    linia[3] = ::GetDlgItem(form, tv::kForm1Linia3Id);
    linia[4] = ::GetDlgItem(form, tv::kForm1Linia4Id);
    panel = ::GetDlgItem(form, tv::kForm1Panel1Id);
    button = ::GetDlgItem(panel, tv::kForm1Button1Id);
  }
  // Waits until every visible label shows something besides the window's background: then the
  // window has been painted and its pixels can be read.
  bool WaitUntilDrawn() const {
    return Eventually([this] {
      const Capture capture(form);
      // The background first: until the window has painted, the screen holds what was there.
      if (!Near(capture.At(4, 130), RGB(238, 238, 223), 0) ||
          !Near(capture.At(capture.Width() - 4, 40), RGB(238, 238, 223), 0)) {
        return false;
      }
      for (HWND label : {label1, linia[1], linia[2], linia[3], linia[4]}) {
        if (IsVisible(label) && !capture.Any(RectInParent(label), [](COLORREF c) {
              return !Near(c, RGB(238, 238, 223), 8);
            })) {
          return false;
        }
      }
      return true;
    });
  }
  // True when some pixel of the line's text is red.
  bool LineIsRed(int line) const {
    const Capture capture(form);
    return capture.Any(RectInParent(linia[line]), IsRed);
  }
};

// A tool copied into a folder of its own, started, and its main window found.
class ToolRun {
 public:
  ToolRun(const fs::path& toolFolder, const LaunchOptions& options = {}) {
    fs::copy_file(ToolExe(), toolFolder / L"UpTalvorinte.exe",
                  fs::copy_options::overwrite_existing);
    process_ = std::make_unique<Process>(toolFolder / L"UpTalvorinte.exe", options);
  }
  Process& process() { return *process_; }
  MainWindow WaitForMainWindow() {
    const HWND form = WaitForWindow(process_->Id(), L"TForm1");
    EXPECT_NE(form, nullptr) << "the main window did not come up";
    // The window is on screen once it has handled what showing it queued and drawn itself.
    process_->WaitIdle();
    MainWindow window(form);
    EXPECT_TRUE(form == nullptr || window.WaitUntilDrawn()) << "the window was not drawn";
    return window;
  }
  // Presses OK and returns the exit code.
  std::optional<DWORD> PressOk(const MainWindow& window) {
    // Posted, not sent: OK may end the process while a sent message waits for its answer.
    ::PostMessageW(window.button, BM_CLICK, 0, 0);
    return process_->WaitForExit(20000);
  }

 private:
  std::unique_ptr<Process> process_;
};

enum class Outcome { NotInstalled, AlreadyCurrent, UpgradeDue };
enum class Cale { Absent, Install, InstallPadded, Elsewhere };
enum class Param { None, EmptyQuoted, InstallExe, OtherFile, MissingFile, ToolExe };

struct Scenario {
  const char* name;
  bool record = true;
  std::optional<std::wstring> ver = std::nullopt;
  Cale cale = Cale::Install;
  Param param = Param::None;
  bool exeInInstall = false;  // Talvorinte.exe in the installation folder
  bool exeInTool = false;     // ... beside the tool
  bool exeInOther = false;    // ... in a third folder
  bool exeIsFolder = false;   // a folder named Talvorinte.exe in the installation folder
  bool dataBesideTool = false;
  bool romanian = false;               // Romanian locale; the record in code page 1250
  const wchar_t* installLetter = L"";  // a letter in the installation folder's name
  const wchar_t* toolLetter = L"";     // a letter in the tool folder's name
  Outcome expected = Outcome::UpgradeDue;
  const wchar_t* linia1 = nullptr;  // Linia1's text, when shown
  bool renameRefused = false;       // the upgrade ends in "Nu pot inlocui ..."
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

class VersionDecisionTest : public testing::TestWithParam<Scenario> {};

TEST_P(VersionDecisionTest, ShowsTheOutcomeAndExitsWithZero) {
  const Scenario& s = GetParam();
  InstallRecord record;
  const TempFolder tool(std::wstring(L"tool") + s.toolLetter);
  const TempFolder install(std::wstring(L"inst") + s.installLetter);
  const TempFolder other(L"other");
  const std::string exeBytes = "MZ stand-in";
  if (s.exeInInstall)
    WriteBytes(install / L"Talvorinte.exe", exeBytes);
  if (s.exeInTool)
    WriteBytes(tool / L"Talvorinte.exe", exeBytes);
  if (s.exeInOther)
    WriteBytes(other / L"Talvorinte.exe", exeBytes);
  if (s.exeIsFolder)
    fs::create_directory(install / L"Talvorinte.exe");
  if (s.dataBesideTool)
    fs::create_directory(tool / L"Data");  // any letter case will do
  WriteBytes(other / L"any.dat", "data");

  if (s.record) {
    std::optional<std::wstring> cale;
    switch (s.cale) {
      case Cale::Absent:
        break;
      case Cale::Install:
        cale = install.path().wstring();
        break;
      case Cale::InstallPadded:
        cale = L" \t " + install.path().wstring() + L"\\ \t";
        break;
      case Cale::Elsewhere:
        cale = other.path().wstring();
        break;
    }
    record.WriteValues(cale, s.ver, s.romanian ? 1250 : 1252);
  }

  LaunchOptions options;
  switch (s.param) {
    case Param::None:
      break;
    case Param::EmptyQuoted:
      options.arguments = L"\"\"";
      break;
    case Param::InstallExe:
      options.arguments = L"\"" + (install / L"Talvorinte.exe").wstring() + L"\"";
      break;
    case Param::OtherFile:
      options.arguments = L"\"" + (other / L"any.dat").wstring() + L"\"";
      break;
    case Param::MissingFile:
      options.arguments = L"\"" + (install / L"Missing.exe").wstring() + L"\"";
      break;
    case Param::ToolExe:
      options.arguments = L"\"" + (tool / L"Talvorinte.exe").wstring() + L"\"";
      break;
  }
  if (s.romanian) {
    ASSERT_TRUE(InRomanianLocale()) << "run the Romanian cases with LANG=ro_RO.UTF-8";
  }

  ToolRun run(tool.path(), options);
  const MainWindow window = run.WaitForMainWindow();
  ASSERT_NE(window.form, nullptr);

  EXPECT_EQ(WindowText(window.label1), kHeader);
  EXPECT_TRUE(IsVisible(window.label1));
  // When an upgrade is due it goes through here (nothing holds the old executable), unless
  // something named like it is in the way.
  EXPECT_EQ(IsVisible(window.linia[3]), s.renameRefused);
  EXPECT_EQ(IsVisible(window.linia[4]), s.expected == Outcome::UpgradeDue && !s.renameRefused);
  if (s.renameRefused) {
    EXPECT_EQ(WindowText(window.linia[3]), L"Nu pot inlocui Talvorinte.exe!");
    EXPECT_TRUE(window.LineIsRed(3));
  } else if (s.expected == Outcome::UpgradeDue) {
    EXPECT_EQ(WindowText(window.linia[4]), kSuccess);
  }
  switch (s.expected) {
    case Outcome::NotInstalled:
      EXPECT_FALSE(IsVisible(window.linia[1]));
      EXPECT_EQ(WindowText(window.linia[2]), kNotInstalled);
      EXPECT_TRUE(window.LineIsRed(2));
      break;
    case Outcome::AlreadyCurrent:
      EXPECT_EQ(WindowText(window.linia[2]), kAlreadyCurrent);
      EXPECT_TRUE(window.LineIsRed(2));
      break;
    case Outcome::UpgradeDue:
      EXPECT_EQ(WindowText(window.linia[2]), kUpgradeDue);
      EXPECT_FALSE(window.LineIsRed(2));
      break;
  }
  if (s.expected != Outcome::NotInstalled) {
    EXPECT_TRUE(IsVisible(window.linia[1]));
    EXPECT_EQ(WindowText(window.linia[1]), std::wstring(L"Aveti instalata versiunea ") + s.linia1);
    EXPECT_FALSE(window.LineIsRed(1));
  }
  EXPECT_EQ(run.PressOk(window), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, VersionDecisionTest,
    testing::Values(
        Scenario{.name = "UpgradeDueFromTheRecord",
                 .ver = L"1.0005",
                 .exeInInstall = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0005"},
        Scenario{.name = "NoRecord",
                 .record = false,
                 .exeInInstall = true,
                 .expected = Outcome::NotInstalled},
        Scenario{
            .name = "RecordWithoutVer", .exeInInstall = true, .expected = Outcome::NotInstalled},
        Scenario{.name = "Ver1IsNotInstalled",
                 .ver = L"1",
                 .exeInInstall = true,
                 .expected = Outcome::NotInstalled},
        Scenario{.name = "Ver1_0000IsNotInstalled",
                 .ver = L"1.0000",
                 .exeInInstall = true,
                 .expected = Outcome::NotInstalled},
        Scenario{.name = "UnreadableVerIsNotInstalled",
                 .ver = L"V1.0005",
                 .exeInInstall = true,
                 .expected = Outcome::NotInstalled},
        Scenario{.name = "Ver1_0001IsInstalled",
                 .ver = L"1.0001",
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0001"},
        Scenario{.name = "CurrentWithTheExecutable",
                 .ver = L"1.0006",
                 .exeInInstall = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        Scenario{.name = "CurrentWithoutTheExecutable",
                 .ver = L"1.0006",
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0006"},
        Scenario{.name = "AFolderNamedLikeTheExecutableIsMissing",
                 .ver = L"1.0006",
                 .exeIsFolder = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0006",
                 .renameRefused = true},
        Scenario{.name = "NewerWithTheExecutable",
                 .ver = L"2.5",
                 .exeInInstall = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"2.5000"},
        Scenario{.name = "NewerWithoutTheExecutable",
                 .ver = L"2.5",
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"2.5000"},
        Scenario{.name = "VersionWithAComma",
                 .ver = L" 1,0005 ",
                 .exeInInstall = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0005"},
        Scenario{.name = "CaleWithBlanksAndATrailingBackslash",
                 .ver = L"1.0006",
                 .cale = Cale::InstallPadded,
                 .exeInInstall = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        // Started with a parameter: the record's CALE is not read.
        Scenario{.name = "ParamBesideDataGivesItsFolder",
                 .ver = L"1.0006",
                 .cale = Cale::Elsewhere,
                 .param = Param::InstallExe,
                 .exeInInstall = true,
                 .dataBesideTool = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        Scenario{.name = "ParamWithoutDataFallsBackToTheToolFolder",
                 .ver = L"1.0006",
                 .param = Param::InstallExe,
                 .exeInInstall = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0006"},
        Scenario{.name = "ParamWithoutDataToolFolderHoldsTheExecutable",
                 .ver = L"1.0006",
                 .param = Param::InstallExe,
                 .exeInInstall = true,
                 .exeInTool = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        Scenario{.name = "ParamNamingAMissingFileFallsBack",
                 .ver = L"1.0006",
                 .param = Param::MissingFile,
                 .exeInTool = true,
                 .dataBesideTool = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        Scenario{.name = "ParamNamingAnotherFileGivesItsFolder",
                 .ver = L"1.0006",
                 .param = Param::OtherFile,
                 .exeInOther = true,
                 .dataBesideTool = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        Scenario{.name = "EmptyQuotedParamCountsAsNone",
                 .ver = L"1.0006",
                 .param = Param::EmptyQuoted,
                 .exeInInstall = true,
                 .dataBesideTool = true,
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        // Letters outside the ANSI code page in the tool's path (S with comma below).
        Scenario{.name = "ToolFolderWithARomanianLetter",
                 .ver = L"1.0006",
                 .param = Param::ToolExe,
                 .exeInTool = true,
                 .dataBesideTool = true,
                 .toolLetter = L"\x0218\x021B",
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"1.0006"},
        // Romanian regional settings: their separator is ',', which nothing here consults.
        Scenario{.name = "RomanianLocaleVersionWithAPoint",
                 .ver = L"1.0005",
                 .exeInInstall = true,
                 .romanian = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0005"},
        Scenario{.name = "RomanianLocaleVersionWithAComma",
                 .ver = L"1,0005",
                 .exeInInstall = true,
                 .romanian = true,
                 .expected = Outcome::UpgradeDue,
                 .linia1 = L"1.0005"},
        Scenario{.name = "RomanianLocaleRecordFolderInCodePage1250",
                 .ver = L"2",
                 .exeInInstall = true,
                 .romanian = true,
                 .installLetter = L"\x015F\x0163",
                 .expected = Outcome::AlreadyCurrent,
                 .linia1 = L"2.0000"}),
    [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// Hostile records and command lines against the real tool: each ends in the outcome the rules
// give, with no crash and no hang, and nothing is written anywhere but where the tool may
// write (here: nowhere, as none of these upgrades can go through).
struct HostileFolders {
  fs::path tool, install, other;
};

enum class Hostile { NotInstalled, AlreadyCurrent, ExtractionFails };

struct HostileCase {
  const char* name;
  // The record's bytes; empty for no record.
  std::function<std::string(const HostileFolders&)> record;
  std::function<std::wstring(const HostileFolders&)> arguments;
  Hostile expected;
  bool dataBesideTool = false;        // a DATA folder beside the tool
  bool exeBesideTool = false;         // Talvorinte.exe beside the tool
  bool readOnlyInstallation = false;  // needs the read-only file system the tests mount
};

// An installation on a file system mounted read-only (see tests.cmake).
fs::path ReadOnlyFileSystem() {
  return BuildFolder().parent_path() / L"readonlyfs";
}

std::string Ascii(const fs::path& path) {
  return ToAnsi(path.wstring(), 1252);
}

std::string Values(const std::string& cale, const std::string& ver) {
  return "[56]\r\nCALE=" + cale + "\r\nVER=" + ver + "\r\n";
}

// Every entry below a folder, with its size and a hash of its bytes; and the Windows folder's
// own entries with their sizes.
std::map<std::wstring, std::string> Contents(const fs::path& folder) {
  std::map<std::wstring, std::string> contents;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) {
      contents[entry.path().wstring()] = "folder";
      continue;
    }
    const std::string bytes = ReadBytes(entry.path());
    contents[entry.path().wstring()] = std::to_string(bytes.size()) + " bytes, hash " +
                                       std::to_string(std::hash<std::string>{}(bytes));
  }
  return contents;
}
std::map<std::wstring, uintmax_t> WindowsFolderEntries() {
  std::map<std::wstring, uintmax_t> entries;
  for (const auto& entry : fs::directory_iterator(InstallRecord::Path().parent_path())) {
    entries[entry.path().filename().wstring()] = entry.is_regular_file() ? entry.file_size() : 0;
  }
  return entries;
}

class HostileInputTest : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputTest, EndsInTheRuledOutcomeAndWritesNothing) {
  const HostileCase& c = GetParam();
  if (c.readOnlyInstallation && !fs::exists(ReadOnlyFileSystem() / L"mounted")) {
    GTEST_SKIP() << "no read-only file system: mounting needs root";
  }
  InstallRecord record;
  const TempFolder tool(L"tool"), install(L"inst"), other(L"other");
  const HostileFolders folders{tool.path(), install.path(), other.path()};
  WriteBytes(install / L"Talvorinte.exe", "MZ stand-in");
  WriteBytes(other / L"any.dat", "data");
  if (c.dataBesideTool)
    fs::create_directory(tool / L"DATA");
  if (c.exeBesideTool)
    WriteBytes(tool / L"Talvorinte.exe", "MZ stand-in");
  const std::string recordBytes = c.record ? c.record(folders) : std::string();
  if (!recordBytes.empty())
    record.Write(recordBytes);
  LaunchOptions options;
  if (c.arguments)
    options.arguments = c.arguments(folders);

  ToolRun run(tool.path(), options);
  const auto toolBefore = Contents(tool.path());
  const auto installBefore = Contents(install.path());
  const auto otherBefore = Contents(other.path());
  const auto windowsBefore = WindowsFolderEntries();

  const MainWindow window = run.WaitForMainWindow();
  ASSERT_NE(window.form, nullptr);
  EXPECT_EQ(WindowText(window.label1), kHeader);
  switch (c.expected) {
    case Hostile::NotInstalled:
      EXPECT_FALSE(IsVisible(window.linia[1]));
      EXPECT_EQ(WindowText(window.linia[2]), kNotInstalled);
      EXPECT_FALSE(IsVisible(window.linia[3]));
      break;
    case Hostile::AlreadyCurrent:
      EXPECT_EQ(WindowText(window.linia[1]), L"Aveti instalata versiunea 1.0006");
      EXPECT_EQ(WindowText(window.linia[2]), kAlreadyCurrent);
      EXPECT_FALSE(IsVisible(window.linia[3]));
      break;
    case Hostile::ExtractionFails:
      EXPECT_EQ(WindowText(window.linia[1]), L"Aveti instalata versiunea 1.0005");
      EXPECT_EQ(WindowText(window.linia[2]), kUpgradeDue);
      EXPECT_TRUE(IsVisible(window.linia[3]));
      EXPECT_EQ(WindowText(window.linia[3]), L"Eroare la extragere fisiere!");
      EXPECT_TRUE(window.LineIsRed(3));
      break;
  }
  EXPECT_FALSE(IsVisible(window.linia[4]));
  // Up to here nothing was written, not even beside the tool; OK then removes the tool itself.
  EXPECT_EQ(Contents(tool.path()), toolBefore);
  EXPECT_EQ(run.PressOk(window), 0u);

  EXPECT_EQ(Contents(install.path()), installBefore);
  EXPECT_EQ(Contents(other.path()), otherBefore);
  if (c.readOnlyInstallation) {
    EXPECT_FALSE(fs::exists(ReadOnlyFileSystem() / L"Talvorinte" / L"Tmp"));
    EXPECT_EQ(ReadBytes(ReadOnlyFileSystem() / L"Talvorinte" / L"Talvorinte.exe"), "MZ stand-in\n");
  }
  EXPECT_EQ(WindowsFolderEntries(), windowsBefore);
  if (!recordBytes.empty()) {
    EXPECT_TRUE(ReadBytes(InstallRecord::Path()) == recordBytes) << "the record was changed";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileInputTest,
    testing::Values(
        // A record of 1 MiB: other sections first, the tool's at the end.
        HostileCase{"RecordOfOneMebibyte",
                    [](const HostileFolders& f) {
                      std::string text = "[Other]\r\n";
                      for (int i = 0; text.size() < (1u << 20); ++i)
                        text += "KEY" + std::to_string(i) + "=" + std::string(60, 'x') + "\r\n";
                      return text + Values(Ascii(f.install), "1.0006");
                    },
                    nullptr, Hostile::AlreadyCurrent},
        HostileCase{"VersionOf5000Digits",
                    [](const HostileFolders& f) {
                      return Values(Ascii(f.install), std::string(5000, '7'));
                    },
                    nullptr, Hostile::NotInstalled},
        HostileCase{"VersionOf5000DigitsAfterAPoint",
                    [](const HostileFolders& f) {
                      return Values(Ascii(f.install), "1." + std::string(5000, '0') + "6");
                    },
                    nullptr, Hostile::NotInstalled},
        // Binary bytes and NULs in a section of their own before the tool's.
        HostileCase{"BinaryBytesAndNulsAround",
                    [](const HostileFolders& f) {
                      std::string junk = "[Bin]\r\nX=";
                      for (int i = 0; i < 512; ++i)
                        junk.push_back(static_cast<char>((i * 37) & 0xFF));
                      junk += std::string("\0\0\0\r\n", 5);
                      return junk + "\r\n" + Values(Ascii(f.install), "1.0006");
                    },
                    nullptr, Hostile::AlreadyCurrent},
        // A NUL in the value ends it for the reader: "1" is not an installed version.
        HostileCase{"NulInsideTheVersion",
                    [](const HostileFolders& f) {
                      return Values(Ascii(f.install), std::string("1\0.0006", 7));
                    },
                    nullptr, Hostile::NotInstalled},
        // The record in UTF-16 with its byte-order mark, as Notepad may save it.
        HostileCase{"RecordInUtf16",
                    [](const HostileFolders& f) {
                      const std::wstring text =
                          L"[56]\r\nCALE=" + f.install.wstring() + L"\r\nVER=1.0006\r\n";
                      std::string bytes = "\xFF\xFE";
                      for (wchar_t ch : text) {
                        bytes.push_back(static_cast<char>(ch & 0xFF));
                        bytes.push_back(static_cast<char>((ch >> 8) & 0xFF));
                      }
                      return bytes;
                    },
                    nullptr, Hostile::AlreadyCurrent},
        // CALE naming what cannot hold the new executable: the extraction fails, and says so.
        HostileCase{
            "CaleNamesAFile",
            [](const HostileFolders& f) { return Values(Ascii(f.other / L"any.dat"), "1.0005"); },
            nullptr, Hostile::ExtractionFails},
        HostileCase{"CaleOnAMissingDrive",
                    [](const HostileFolders&) { return Values("Q:\\Talvorinte", "1.0005"); },
                    nullptr, Hostile::ExtractionFails},
        HostileCase{"CaleOnAFolderNobodyMayWriteTo",
                    [](const HostileFolders&) {
                      return Values(Ascii(ReadOnlyFileSystem() / L"Talvorinte"), "1.0005");
                    },
                    nullptr, Hostile::ExtractionFails, false, false, true},
        HostileCase{"CaleOnAServerThatDoesNotAnswer",
                    [](const HostileFolders&) {
                      return Values("\\\\no-such-server.invalid\\share\\Talvorinte", "1.0005");
                    },
                    nullptr, Hostile::ExtractionFails},
        // Parameters: what names no existing file falls back to the tool's folder, which
        // holds the executable here.
        HostileCase{
            "ParameterOf32000Characters",
            [](const HostileFolders&) { return Values("C:\\Elsewhere", "1.0006"); },
            [](const HostileFolders&) { return L"\"C:\\" + std::wstring(32000, L'a') + L"\""; },
            Hostile::AlreadyCurrent, true, true},
        HostileCase{"ParameterNamingAFolder",
                    [](const HostileFolders&) { return Values("C:\\Elsewhere", "1.0006"); },
                    [](const HostileFolders& f) { return L"\"" + f.install.wstring() + L"\""; },
                    Hostile::AlreadyCurrent, true, true},
        // An unclosed quote runs to the end of the line: the parameter is still the path.
        HostileCase{"UnbalancedQuoteStillNamesTheExecutable",
                    [](const HostileFolders&) { return Values("C:\\Elsewhere", "1.0006"); },
                    [](const HostileFolders& f) {
                      return L"\"" + (f.install / L"Talvorinte.exe").wstring();
                    },
                    Hostile::AlreadyCurrent, true},
        // Whatever this line splits into, a record without a version means not installed.
        HostileCase{"OnlyQuotes", [](const HostileFolders&) { return Values("C:\\Elsewhere", ""); },
                    [](const HostileFolders&) { return std::wstring(L"\"\"\" \"\"\"\" \""); },
                    Hostile::NotInstalled, false}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST(RomanianLocale, ReachesTheToolsProcess) {
  // The Romanian cases mean something only if a process started from here gets the Romanian
  // settings: the probe exits with the decimal separator its locale reports.
  ASSERT_TRUE(InRomanianLocale()) << "run the Romanian cases with LANG=ro_RO.UTF-8";
  Process probe(BuildFolder() / L"locale_probe.exe");
  ASSERT_TRUE(probe.Started());
  EXPECT_EQ(probe.WaitForExit(20000), static_cast<DWORD>(L','));
  EXPECT_EQ(::GetACP(), 1250u);
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    record_.WriteValues(tool_.path().wstring(), L"1.0005");
    run_ = std::make_unique<ToolRun>(tool_.path());
    window_ = std::make_unique<MainWindow>(run_->WaitForMainWindow());
    ASSERT_NE(window_->form, nullptr);
  }
  void TearDown() override { run_->process().Kill(); }

  InstallRecord record_;
  TempFolder tool_{L"tool"};
  std::unique_ptr<ToolRun> run_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, LayoutAtNinetySixDpi) {
  const HWND form = window_->form;
  RECT client;
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, 377);
  EXPECT_EQ(client.bottom, 182);
  EXPECT_EQ(WindowText(form), L"Actualizare");

  const LONG style = ::GetWindowLongW(form, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(form, GWL_EXSTYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);

  // Centred on the whole virtual desktop, by the outer size.
  RECT outer;
  ::GetWindowRect(form, &outer);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - (outer.bottom - outer.top)) / 2);

  const auto expectRect = [](HWND control, RECT expected) {
    const RECT actual = RectInParent(control);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
  };
  expectRect(window_->label1, {8, 8, 369, 30});
  expectRect(window_->panel, {0, 141, 377, 182});
  expectRect(window_->button, {144, 8, 219, 33});
  EXPECT_EQ(WindowText(window_->button), L"OK");
  // The status lines keep their left edge and top, and grow with their text.
  for (int line : {1, 2}) {
    const RECT rect = RectInParent(window_->linia[line]);
    EXPECT_EQ(rect.left, 24);
    EXPECT_EQ(rect.top, 32 + 16 * line);
    EXPECT_GT(rect.right - rect.left, 150) << "Linia" << line << " did not grow with its text";
  }
  // The hidden lines keep their places.
  EXPECT_EQ(RectInParent(window_->linia[3]).top, 80);
  EXPECT_EQ(RectInParent(window_->linia[4]).top, 96);
}

TEST_F(MainWindowTest, ColoursOfTheWindowAndTheGradient) {
  const Capture form(window_->form);
  const COLORREF background = form.At(4, 130);
  EXPECT_TRUE(Near(background, RGB(238, 238, 223), 0))  // the window's background
      << std::hex << background;
  EXPECT_TRUE(form.Any(RectInParent(window_->linia[1]), IsDark));  // text in window-text colour

  const Capture panel(window_->panel);
  // White just below the status area, the window's colour at the bottom edge, in between on
  // the way down; sampled right of the button.
  const int x = panel.Width() - 20;
  EXPECT_TRUE(Near(panel.At(x, 2), RGB(255, 255, 255), 2));
  EXPECT_TRUE(Near(panel.At(x, panel.Height() - 3), RGB(238, 238, 223), 2));
  const COLORREF middle = panel.At(x, panel.Height() / 2);
  EXPECT_LT(GetBValue(middle), 252);
  EXPECT_GT(GetBValue(middle), 226);
  EXPECT_TRUE(Near(panel.At(0, 10), RGB(255, 255, 255), 0));  // the raised bevel's light edge
}

TEST_F(MainWindowTest, OkHasTheFocusAndEnterPressesIt) {
  const auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_->form, nullptr), &info);
    return info.hwndFocus;
  };
  // Wine learns of activation from the X server, so the focus may settle a moment later.
  ASSERT_TRUE(Eventually([&] { return focus() == window_->button; }));
  ::PostMessageW(window_->button, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(run_->process().WaitForExit(20000), 0u);
}

TEST_F(MainWindowTest, SpacePressesOk) {
  ::PostMessageW(window_->button, WM_KEYDOWN, VK_SPACE, 0);
  ::PostMessageW(window_->button, WM_KEYUP, VK_SPACE, 0xC0000000);
  EXPECT_EQ(run_->process().WaitForExit(20000), 0u);
}

TEST_F(MainWindowTest, EscapeAltF4AndCloseDoNothing) {
  ::PostMessageW(window_->button, WM_KEYDOWN, VK_ESCAPE, 0);
  ::PostMessageW(window_->button, WM_SYSKEYDOWN, VK_F4, 0x20000000);
  ::PostMessageW(window_->form, WM_SYSCOMMAND, SC_CLOSE, 0);
  ::PostMessageW(window_->form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Stays([&] { return run_->process().Running() && ::IsWindowVisible(window_->form); }));
  EXPECT_EQ(run_->PressOk(*window_), 0u);
}

TEST_F(MainWindowTest, TheTaskbarEntryCarriesTheApplicationTitle) {
  const HWND application = FindProcessWindow(run_->process().Id(), L"TApplication", true);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(WindowText(application), L"Actualizare Talvorinte");
  EXPECT_EQ(::GetWindow(window_->form, GW_OWNER), application);
}

TEST(MainWindowStart, MinimizedStartWaitsForRestore) {
  InstallRecord record;
  const TempFolder tool(L"tool");
  record.WriteValues(tool.path().wstring(), L"1.0005");
  LaunchOptions options;
  options.showCommand = SW_SHOWMINNOACTIVE;
  ToolRun run(tool.path(), options);
  HWND application = nullptr;
  ASSERT_TRUE(Eventually([&] {
    return (application = FindProcessWindow(run.process().Id(), L"TApplication", true)) != nullptr;
  }));
  run.process().WaitIdle();
  EXPECT_TRUE(::IsIconic(application));
  // The main window exists, hidden, and its show handler has not run.
  const HWND hidden = FindProcessWindow(run.process().Id(), L"TForm1", false);
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(::IsWindowVisible(hidden));
  EXPECT_EQ(WindowText(::GetDlgItem(hidden, tv::kForm1Linia1Id)), L"Linia 1");
  EXPECT_FALSE(fs::exists(tool / L"Talvorinte.exe"));  // nothing upgraded yet

  ::ShowWindow(application, SW_RESTORE);
  const MainWindow window = run.WaitForMainWindow();
  ASSERT_EQ(window.form, hidden);
  EXPECT_EQ(WindowText(window.linia[1]), L"Aveti instalata versiunea 1.0005");
  EXPECT_EQ(WindowText(window.linia[4]), kSuccess);
  EXPECT_TRUE(fs::exists(tool / L"Talvorinte.exe"));
  EXPECT_EQ(run.PressOk(window), 0u);
}

}  // namespace
}  // namespace tvtest
