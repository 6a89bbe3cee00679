// A run of the tool killed at a random moment, many times over, with a payload large enough
// (64 MiB) for every phase to be hit: after each kill, one run started by hand must leave the
// new executable in place, byte for byte, no Tmp behind, and the record as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <map>
#include <random>

#include "Unit1Layout.h"
#include "harness.h"

namespace tvtest {
namespace {

using namespace std::chrono_literals;

fs::path LargeTool() {
  return BuildFolder() / L"UpTalvorinte-large.exe";
}
const std::string& LargePayload() {
  static const std::string bytes = ReadBytes(BuildFolder() / L"payload-large.exe");
  return bytes;
}

// What a kill left on disk, named for the phase it cut.
std::string StateAfterKill(const fs::path& install) {
  const fs::path exe = install / L"Talvorinte.exe";
  const fs::path tmp = install / L"Tmp";
  const bool hasExe = fs::exists(exe);
  const bool hasTmp = fs::exists(tmp);
  const bool tmpComplete = hasTmp && fs::file_size(tmp) == LargePayload().size();
  if (!hasTmp) {
    if (!hasExe)
      return "neither executable nor Tmp";
    return ReadBytes(exe) == OldExe() ? "before extraction" : "after the rename";
  }
  if (!tmpComplete)
    return hasExe ? "during extraction" : "partial Tmp without executable";
  return hasExe ? "extracted, old executable still there" : "old executable removed, not renamed";
}

// Starts the tool and waits until its window shows the outcome; the process is returned.
std::unique_ptr<Process> RunUntilWindow(const fs::path& tool, const LaunchOptions& options,
                                        std::wstring* finalLine) {
  auto process = std::make_unique<Process>(tool, options);
  const HWND form = WaitForWindow(process->Id(), L"TForm1", 60000);
  if (form != nullptr) {
    const HWND line4 = ::GetDlgItem(form, tv::kForm1Linia4Id);
    const HWND line3 = ::GetDlgItem(form, tv::kForm1Linia3Id);
    *finalLine = IsVisible(line4) ? WindowText(line4) : WindowText(line3);
  }
  return process;
}

struct Branch {
  const char* name;
  bool startedByTheApplication;  // with the executable's path as parameter
};

class KilledRunTest : public testing::TestWithParam<Branch> {};

TEST_P(KilledRunTest, TheNextRunByHandCompletesTheUpgrade) {
  constexpr int kKills = 30;
  InstallRecord record;
  const TempFolder install(L"killed");
  fs::create_directory(install / L"DATA");
  const fs::path tool = install / L"UpTalvorinte.exe";
  ASSERT_TRUE(fs::copy_file(LargeTool(), tool));
  record.WriteValues(install.path().wstring(), L"1.0005");
  const std::string recordBytes = ReadBytes(InstallRecord::Path());
  const fs::path exe = install / L"Talvorinte.exe";

  LaunchOptions killedRun;
  if (GetParam().startedByTheApplication)
    killedRun.arguments = L"\"" + exe.wstring() + L"\"";

  const auto reset = [&] {
    std::error_code error;
    fs::remove(install / L"Tmp", error);
    WriteBytes(exe, OldExe());
  };

  // How long an undisturbed run takes until its window is up: the kills fall within that.
  reset();
  const auto start = std::chrono::steady_clock::now();
  std::wstring line;
  RunUntilWindow(tool, killedRun, &line)->Kill();
  const auto full = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
  ASSERT_EQ(line, kSuccess);

  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> anyMoment(0, full + full / 5);
  std::uniform_int_distribution<long long> duringExtraction(0, 400);
  std::map<std::string, int> states;
  for (int kill = 0; kill < kKills; ++kill) {
    reset();
    // A third of the kills fall anywhere in the run; a third while the payload is being
    // written; a third as soon as the old executable is gone, before the rename.
    long long after = 0;
    {
      Process run(tool, killedRun);
      const auto started = std::chrono::steady_clock::now();
      switch (kill % 3) {
        case 0:
          ::Sleep(static_cast<DWORD>(anyMoment(random)));
          break;
        case 1:
          Eventually([&] { return fs::exists(install / L"Tmp"); }, 5000);
          ::Sleep(static_cast<DWORD>(duringExtraction(random)));
          break;
        case 2:
          while (fs::exists(exe) && std::chrono::steady_clock::now() - started < 5s) {
          }
          break;
      }
      run.Kill();
      after = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - started)
                  .count();
      ASSERT_TRUE(run.WaitForExit(10000).has_value());
    }
    const std::string state = StateAfterKill(install.path());
    ++states[state];

    std::wstring outcome;
    auto recovery = RunUntilWindow(tool, {}, &outcome);
    EXPECT_EQ(outcome, kSuccess) << "kill " << kill << " after " << after << " ms, " << state
                                 << " (seed " << seed << ")";
    recovery->Kill();
    ASSERT_TRUE(fs::exists(exe)) << "kill after " << after << " ms, " << state;
    EXPECT_TRUE(ReadBytes(exe) == LargePayload()) << "kill after " << after << " ms, " << state;
    EXPECT_FALSE(fs::exists(install / L"Tmp")) << "kill after " << after << " ms, " << state;
    EXPECT_TRUE(ReadBytes(InstallRecord::Path()) == recordBytes) << "the record was changed";
    if (HasFailure())
      break;
  }
  std::cout << GetParam().name << ": undisturbed run " << full << " ms; " << kKills
            << " kills (seed " << seed << ") left:\n";
  for (const auto& [state, count] : states)
    std::cout << "  " << count << " x " << state << "\n";
}

INSTANTIATE_TEST_SUITE_P(Branches, KilledRunTest,
                         testing::Values(Branch{"StartedByTheApplication", true},
                                         Branch{"StartedByTheUser", false}),
                         [](const testing::TestParamInfo<Branch>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tvtest
