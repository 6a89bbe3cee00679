// The shipped executable as a file: what it says it is, how it is linked, what it loads.
#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace tvtest {
namespace {

fs::path Tool() {
  return BuildFolder() / L"UpTalvorinte.exe";
}

// One string of the version information's Romanian (Unicode) block.
std::wstring VersionString(const std::vector<BYTE>& info, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = L"\\StringFileInfo\\041804B0\\" + name;
  if (!::VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) {
    return L"(missing)";
  }
  return static_cast<const wchar_t*>(value);
}

TEST(Executable, CarriesItsVersionInformation) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(Tool().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(::GetFileVersionInfoW(Tool().c_str(), 0, size, info.data()));

  EXPECT_EQ(VersionString(info, L"FileDescription"), L"Actualizare Talvorinte");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Talvorinte");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.0006");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"UpTalvorinte.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(6, 1)));  // 1.0006
  // The file version in numbers and in text say the same.
  const std::wstring fileVersion = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                   std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                   std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                                   std::to_wstring(LOWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(VersionString(info, L"FileVersion"), fileVersion);
  EXPECT_NE(fixed->dwFileVersionMS, 0u);
}

TEST(Executable, IsLinkedForAddressRandomisationAndNoExecutableData) {
  const std::string image = ReadBytes(Tool());
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, image.data(), sizeof(dos));
  ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_LE(static_cast<size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
  IMAGE_NT_HEADERS64 nt;
  std::memcpy(&nt, image.data() + dos.e_lfanew, sizeof(nt));
  ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
  ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);

  const WORD flags = nt.OptionalHeader.DllCharacteristics;
  EXPECT_NE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, 0) << std::hex << flags;
  EXPECT_NE(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, 0) << std::hex << flags;
  EXPECT_NE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT, 0) << std::hex << flags;
  // Randomisation needs the relocations to stay in the file.
  EXPECT_EQ(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
  EXPECT_GT(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
  EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// Wine looks beside the program first only for DLLs set to "native, builtin", which is what
// Windows does for any DLL that is not one of its known ones; the probe starts in that mode.
struct PlantedCase {
  const char* name;
  const wchar_t* mode;
  bool plantedLoaded;
};

class PlantedDllTest : public testing::TestWithParam<PlantedCase> {};

TEST_P(PlantedDllTest, LoadsFromTheSystemFolderOnlyOnceLimited) {
  TempFolder folder(L"planted");
  ASSERT_TRUE(fs::copy_file(BuildFolder() / L"dll_probe.exe", folder / L"dll_probe.exe"));
  ASSERT_TRUE(fs::copy_file(BuildFolder() / L"planted.dll", folder / L"dwmapi.dll"));
  LaunchOptions options;
  const fs::path result = folder / L"result.txt";
  options.arguments = std::wstring(GetParam().mode) + L" dwmapi.dll \"" + result.wstring() + L"\"";
  options.extraEnvironment = {L"WINEDLLOVERRIDES=mscoree,mshtml=;dwmapi=n,b"};
  Process probe(folder / L"dll_probe.exe", options);
  ASSERT_EQ(probe.WaitForExit(20000), 0u);

  const std::string loadedFrom = ReadBytes(result);
  EXPECT_EQ(fs::exists(folder / L"dwmapi.dll.loaded"), GetParam().plantedLoaded) << loadedFrom;
  EXPECT_NE(loadedFrom.find("dwmapi.dll"), std::string::npos) << loadedFrom;
  const bool fromSystem = loadedFrom.find("system32") != std::string::npos ||
                          loadedFrom.find("System32") != std::string::npos;
  EXPECT_EQ(fromSystem, !GetParam().plantedLoaded) << loadedFrom;
}

INSTANTIATE_TEST_SUITE_P(
    Search, PlantedDllTest,
    testing::Values(PlantedCase{"LimitedAsTheToolStarts", L"limited", false},
                    // Without the limit the planted copy is taken: the test can see the attack.
                    PlantedCase{"UnlimitedTakesThePlantedCopy", L"unlimited", true}),
    [](const testing::TestParamInfo<PlantedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tvtest
