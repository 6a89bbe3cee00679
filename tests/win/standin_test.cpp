// The stand-in main application: what it writes into the record, and how it starts the tool.
#include <gtest/gtest.h>

#include "harness.h"

namespace tvtest {
namespace {

TEST(StandIn, WritesTheRecordAndStartsTheToolWithItsQuotedPath) {
  InstallRecord record;
  const TempFolder folder(L"app dir");
  const fs::path app = folder / L"Talvorinte.exe";
  fs::copy_file(BuildFolder() / L"Talvorinte-1.0005.exe", app);
  // In the tool's place, a program that writes down its command line.
  fs::copy_file(BuildFolder() / L"cmdline_recorder.exe", folder / L"UpTalvorinte.exe");
  Process standIn(app);
  ASSERT_TRUE(standIn.Started());
  EXPECT_EQ(standIn.WaitForExit(20000), 0u);  // it ends at once
  ASSERT_TRUE(Eventually([&] { return fs::exists(folder / L"cmdline.txt"); }));
  const std::wstring expected =
      L"\"" + (folder / L"UpTalvorinte.exe").wstring() + L"\" \"" + app.wstring() + L"\"";
  EXPECT_EQ(ReadBytes(folder / L"cmdline.txt"), ToAnsi(expected, CP_UTF8));
  EXPECT_EQ(RecordValue(L"CALE"), folder.path().wstring());
  EXPECT_EQ(RecordValue(L"VER"), L"1.0005");
}

TEST(StandIn, WithoutAToolItShowsItsWindowUntilClosed) {
  InstallRecord record;
  const TempFolder folder;
  const fs::path app = folder / L"Talvorinte.exe";
  fs::copy_file(BuildFolder() / L"Talvorinte-1.0006.exe", app);
  // A tool that cannot be opened for writing does not count either.
  WriteBytes(folder / L"UpTalvorinte.exe", "read-only");
  ::SetFileAttributesW((folder / L"UpTalvorinte.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  Process standIn(app);
  const HWND window = WaitForWindow(standIn.Id(), L"TalvorinteStandIn");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), L"Talvorinte 1.0006");
  EXPECT_EQ(RecordValue(L"VER"), L"1.0006");
  EXPECT_EQ(RecordValue(L"CALE"), folder.path().wstring());
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(standIn.WaitForExit(20000), 0u);
}

}  // namespace
}  // namespace tvtest
