#include "core/text.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(Trim, RemovesCodesUpTo32AtBothEndsOnly) {
  EXPECT_EQ(Trim(L" \t\r\n\x01 a b\tc \x1F "), L"a b\tc");
  EXPECT_EQ(Trim(std::wstring(L"\0x\0", 3)), L"x");
  EXPECT_EQ(Trim(L"   "), L"");
  EXPECT_EQ(Trim(L""), L"");
  EXPECT_EQ(Trim(L"\x00A0x\x00A0"), L"\x00A0x\x00A0");  // a no-break space is above 32
}

struct FolderCase {
  const wchar_t* path;
  const wchar_t* folder;
};

class FolderPartTest : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderPartTest, KeepsUpToTheLastBackslashOrColon) {
  EXPECT_EQ(FolderPart(GetParam().path), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderPartTest,
                         testing::Values(FolderCase{L"C:\\Kit\\Talvorinte.exe", L"C:\\Kit\\"},
                                         FolderCase{L"C:\\UpTalvorinte.exe", L"C:\\"},
                                         FolderCase{L"D:Talvorinte.exe", L"D:"},
                                         FolderCase{L"Talvorinte.exe", L""}, FolderCase{L"", L""},
                                         FolderCase{L"\\\\srv\\share\\a.exe", L"\\\\srv\\share\\"},
                                         FolderCase{L"C:\\Kit\\", L"C:\\Kit\\"},
                                         FolderCase{L"a/b/c.exe", L""}));

struct TidyCase {
  const wchar_t* value;
  const wchar_t* tidy;
};

class TidyFolderTest : public testing::TestWithParam<TidyCase> {};

TEST_P(TidyFolderTest, TrimsAndDropsOneTrailingBackslash) {
  EXPECT_EQ(TidyFolder(GetParam().value), GetParam().tidy);
}

INSTANTIATE_TEST_SUITE_P(Values, TidyFolderTest,
                         testing::Values(TidyCase{L"C:\\Kit", L"C:\\Kit"},
                                         TidyCase{L" \tC:\\Kit\\ \r\n", L"C:\\Kit"},
                                         TidyCase{L"C:\\Kit\\\\", L"C:\\Kit\\"},
                                         TidyCase{L"C:\\", L"C:"}, TidyCase{L"\\", L""},
                                         TidyCase{L"", L""}, TidyCase{L"  ", L""},
                                         TidyCase{L"C:\\My Kit \\", L"C:\\My Kit "}));

TEST(JoinPath, UsesASingleBackslash) {
  EXPECT_EQ(JoinPath(L"C:\\Kit", L"Tmp"), L"C:\\Kit\\Tmp");
  EXPECT_EQ(JoinPath(L"C:", L"Talvorinte.exe"), L"C:\\Talvorinte.exe");
  EXPECT_EQ(JoinPath(L"", L"Talvorinte.exe"), L"\\Talvorinte.exe");
}

TEST(SameTextAscii, IgnoresTheCaseOfLatinLetters) {
  EXPECT_TRUE(SameTextAscii(L"Data", L"DATA"));
  EXPECT_TRUE(SameTextAscii(L"data", L"DATA"));
  EXPECT_FALSE(SameTextAscii(L"DAT", L"DATA"));
  EXPECT_FALSE(SameTextAscii(L"GMT.dll", L"GMT.dII"));
}

}  // namespace
}  // namespace tv

namespace tv {
namespace {

TEST(WithClosingPeriod, AppendsAPeriodAfterCharactersAboveIt) {
  EXPECT_EQ(WithClosingPeriod(L"Stream write error"), L"Stream write error.");
  EXPECT_EQ(WithClosingPeriod(L"Done."), L"Done.");
  EXPECT_EQ(WithClosingPeriod(L"Is it?"), L"Is it?.");   // '?' comes after '.'
  EXPECT_EQ(WithClosingPeriod(L"Closed!"), L"Closed!");  // '!' comes before '.'
  EXPECT_EQ(WithClosingPeriod(L"Ends in a dash -"), L"Ends in a dash -");
  EXPECT_EQ(WithClosingPeriod(L""), L"");
}

TEST(DecimalDigits, WritesEveryDigitOfAnyCount) {
  EXPECT_EQ(DecimalDigits(0), L"0");
  EXPECT_EQ(DecimalDigits(7), L"7");
  EXPECT_EQ(DecimalDigits(10), L"10");
  EXPECT_EQ(DecimalDigits(10006), L"10006");
  EXPECT_EQ(DecimalDigits(18446744073709551615ull), L"18446744073709551615");
}

}  // namespace
}  // namespace tv
