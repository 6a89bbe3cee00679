// Extraction of a resource to a file, against this program's own resources: TALVORINTE/UPGRADE
// (random bytes of an odd length) and TALVORINTE/EMPTY (no bytes); and the payload that the
// built tool carries, read from the outside.
#include <gtest/gtest.h>

#include <vector>

#include "harness.h"
#include "rtl/resources.h"

namespace tvtest {
namespace {

const std::string& OddPayload() {
  static const std::string bytes = ReadBytes(BuildFolder() / L"payload-odd.bin");
  return bytes;
}

TEST(ExtractPayload, WritesTheResourceByteForByte) {
  ASSERT_EQ(OddPayload().size(), 3282433u);
  const TempFolder folder;
  const fs::path tmp = folder / L"Tmp";
  ASSERT_TRUE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", tmp.wstring()));
  EXPECT_EQ(fs::file_size(tmp), OddPayload().size());
  EXPECT_TRUE(ReadBytes(tmp) == OddPayload());
}

TEST(ExtractPayload, NamesMatchWithoutRegardToCase) {
  const TempFolder folder;
  for (const wchar_t* type : {L"Talvorinte", L"TALVORINTE", L"talvorinte"}) {
    for (const wchar_t* name : {L"UpGrade", L"UPGRADE", L"upgrade"}) {
      const fs::path file = folder / (std::wstring(type) + L"-" + name);
      EXPECT_TRUE(tv::ExtractResourceToFile(type, name, file.wstring()));
      EXPECT_EQ(fs::file_size(file), OddPayload().size());
    }
  }
}

TEST(ExtractPayload, FoundWhateverTheThreadLanguage) {
  // Stored under Romanian only; asked without a language from an English thread.
  const LANGID previous = ::SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  const TempFolder folder;
  EXPECT_TRUE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", (folder / L"Tmp").wstring()));
  ::SetThreadUILanguage(previous);
}

TEST(ExtractPayload, AMissingResourceCreatesNothing) {
  const TempFolder folder;
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"Downgrade", (folder / L"a").wstring()));
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Other", L"UpGrade", (folder / L"b").wstring()));
  EXPECT_FALSE(fs::exists(folder / L"a"));
  EXPECT_FALSE(fs::exists(folder / L"b"));
}

TEST(ExtractPayload, AZeroByteResourceGivesAnEmptyFile) {
  const TempFolder folder;
  const fs::path file = folder / L"Tmp";
  WriteBytes(file, "old contents");
  EXPECT_TRUE(tv::ExtractResourceToFile(L"Talvorinte", L"Empty", file.wstring()));
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST(ExtractPayload, AnExistingWritableFileIsOverwrittenAndShortened) {
  const TempFolder folder;
  const fs::path file = folder / L"Tmp";
  WriteBytes(file, std::string(OddPayload().size() + 100000, 'x'));
  ASSERT_TRUE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", file.wstring()));
  EXPECT_EQ(fs::file_size(file), OddPayload().size());
  EXPECT_TRUE(ReadBytes(file) == OddPayload());
}

TEST(ExtractPayload, WhatCannotBeCreatedIsLeftAsItWas) {
  const TempFolder folder;
  // A folder at the path.
  fs::create_directory(folder / L"Tmp");
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", (folder / L"Tmp").wstring()));
  EXPECT_TRUE(fs::is_directory(folder / L"Tmp"));
  // A folder that does not exist.
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade",
                                         (folder / L"Missing" / L"Tmp").wstring()));
  EXPECT_FALSE(fs::exists(folder / L"Missing"));
  // A file held open by someone else, without sharing.
  const fs::path held = folder / L"Held";
  WriteBytes(held, "held");
  {
    const tv::ScopedFile holder(
        ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", held.wstring()));
  }
  EXPECT_TRUE(ReadBytes(held) == "held");
}

TEST(ExtractPayload, AReadOnlyFileIsLeftAsItWas) {
  const TempFolder folder;
  const fs::path readOnly = folder / L"ReadOnly";
  WriteBytes(readOnly, "keep me");
  ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  {
    // Wine keeps the read-only attribute as the file's Unix write permission, which does not
    // bind the superuser: there a read-only file can be opened for writing like any other.
    const tv::ScopedFile probe(
        ::CreateFileW(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (probe.IsValid()) {
      GTEST_SKIP() << "read-only files are writable for this user (Wine run as root)";
    }
  }
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", readOnly.wstring()));
  EXPECT_TRUE(ReadBytes(readOnly) == "keep me");
}

TEST(ExtractPayload, AWriteThatFallsShortFailsAndLeavesThePartialFile) {
  // A 1 MiB file system, mounted by the test set-up when the machine allows it.
  const fs::path small = BuildFolder().parent_path() / L"smallfs";
  if (!fs::exists(small / L"mounted")) {
    GTEST_SKIP() << "no small file system could be mounted at " << small.string();
  }
  const fs::path file = small / L"Tmp";
  EXPECT_FALSE(tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", file.wstring()));
  ASSERT_TRUE(fs::exists(file));
  EXPECT_LT(fs::file_size(file), OddPayload().size());
  fs::remove(file);
}

// The built tool, read from the outside as a data file.
class ToolResources {
 public:
  explicit ToolResources(const fs::path& exe)
      : module_(::LoadLibraryExW(exe.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ToolResources() {
    if (module_ != nullptr) {
      ::FreeLibrary(module_);
    }
  }
  HMODULE module() const { return module_; }
  std::vector<std::wstring> NamedTypes() const {
    std::vector<std::wstring> types;
    ::EnumResourceTypesW(
        module_,
        [](HMODULE, LPWSTR type, LONG_PTR context) -> BOOL {
          if (!IS_INTRESOURCE(type)) {
            reinterpret_cast<std::vector<std::wstring>*>(context)->push_back(type);
          }
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&types));
    return types;
  }
  std::vector<std::wstring> Names(const wchar_t* type) const {
    std::vector<std::wstring> names;
    ::EnumResourceNamesW(
        module_, type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) -> BOOL {
          reinterpret_cast<std::vector<std::wstring>*>(context)->push_back(
              IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                   : std::wstring(name));
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    return names;
  }
  std::vector<WORD> Languages(const wchar_t* type, const wchar_t* name) const {
    std::vector<WORD> languages;
    ::EnumResourceLanguagesW(
        module_, type, name,
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context) -> BOOL {
          reinterpret_cast<std::vector<WORD>*>(context)->push_back(language);
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    return languages;
  }

 private:
  HMODULE module_;
};

// The tool as built, and a copy signed the way the build signs it when given a certificate:
// the signature must leave the payload as it was.
struct ToolCase {
  const char* name;
  const wchar_t* subfolder;
};

class ToolPayloadTest : public testing::TestWithParam<ToolCase> {};

TEST_P(ToolPayloadTest, IsTheOnlyNamedResourceAndEqualsTheCarriedFile) {
  const fs::path exe = BuildFolder() / GetParam().subfolder / L"UpTalvorinte.exe";
  ASSERT_TRUE(fs::exists(exe)) << exe;
  const ToolResources tool(exe);
  ASSERT_NE(tool.module(), nullptr);
  EXPECT_EQ(tool.NamedTypes(), std::vector<std::wstring>{L"TALVORINTE"});
  EXPECT_EQ(tool.Names(L"TALVORINTE"), std::vector<std::wstring>{L"UPGRADE"});
  EXPECT_EQ(tool.Languages(L"TALVORINTE", L"UPGRADE"), std::vector<WORD>{1048});

  const HRSRC found = ::FindResourceExW(tool.module(), L"TALVORINTE", L"UPGRADE", 1048);
  ASSERT_NE(found, nullptr);
  const DWORD size = ::SizeofResource(tool.module(), found);
  const auto* data = static_cast<const char*>(::LockResource(::LoadResource(tool.module(), found)));
  const std::string carried = ReadBytes(BuildFolder() / L"Talvorinte-1.0006.exe");
  ASSERT_EQ(size, carried.size());
  EXPECT_TRUE(std::string(data, size) == carried);
}

INSTANTIATE_TEST_SUITE_P(Builds, ToolPayloadTest,
                         testing::Values(ToolCase{"AsBuilt", L""}, ToolCase{"Signed", L"signed"}),
                         [](const testing::TestParamInfo<ToolCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tvtest
