#include "core/version.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

struct ReadingCase {
  const wchar_t* recordValue;
  VersionNumber expected;
};

class ReadVersionTest : public testing::TestWithParam<ReadingCase> {};

TEST_P(ReadVersionTest, ReadsTheRecordValue) {
  EXPECT_EQ(ReadVersion(GetParam().recordValue, L'.'), GetParam().expected)
      << "VER=" << testing::PrintToString(std::wstring(GetParam().recordValue));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ReadVersionTest,
    testing::Values(ReadingCase{L"1.0006", 10006}, ReadingCase{L" 1.0006 ", 10006},
                    ReadingCase{L"\t1.0006\r\n", 10006},
                    ReadingCase{L"1,0006", 10006},  // the comma becomes the point
                    ReadingCase{L"2", 20000}, ReadingCase{L"1", 10000},
                    ReadingCase{L"1.0000", 10000}, ReadingCase{L"1.0005", 10005},
                    ReadingCase{L"2.5", 25000}, ReadingCase{L"5.", 50000}, ReadingCase{L".5", 5000},
                    ReadingCase{L".", 0},
                    ReadingCase{L"1.0006b", 0},  // two points after the filter
                    ReadingCase{L"V1.0006", 0}, ReadingCase{L"1 000", 10000}, ReadingCase{L"", 0},
                    ReadingCase{L"   ", 0},
                    // Exact halves go to the even count.
                    ReadingCase{L"1.00005", 10000}, ReadingCase{L"1.00015", 10002},
                    ReadingCase{L"1.000050000001", 10001}, ReadingCase{L"1.00004999", 10000},
                    ReadingCase{L"1.00025", 10002}, ReadingCase{L"1.000251", 10003},
                    // Signs and exponents go through the filter too.
                    ReadingCase{L"1e3", 13000}, ReadingCase{L"-1", 1000}, ReadingCase{L"+1", 1000},
                    // The 64-bit range: 922337203685477.5807 is the largest count.
                    ReadingCase{L"922337203685477.5807", 9223372036854775807LL},
                    ReadingCase{L"922337203685477.58075", 0},  // rounds past the top
                    ReadingCase{L"922337203685477.5808", 0}, ReadingCase{L"922337203685478", 0},
                    ReadingCase{L"99999999999999999999999", 0},
                    ReadingCase{L"0000000000000000000000000000001.0006", 10006}));

TEST(ReadVersion, VeryLongDigitRunsAreRejectedWithoutWrapping) {
  EXPECT_EQ(ReadVersion(std::wstring(5000, L'9'), L'.'), 0);
  EXPECT_EQ(ReadVersion(L"1." + std::wstring(5000, L'0') + L"1", L'.'), 10000);
  EXPECT_EQ(ReadVersion(L"1.00005" + std::wstring(5000, L'0') + L"1", L'.'), 10001);
}

TEST(TextToVersion, RejectsWhatTheFilterWouldHaveChanged) {
  for (const wchar_t* text : {L"", L"1..0", L"1.0.0", L"a", L" 1", L"-1", L"1,5"}) {
    EXPECT_FALSE(TextToVersion(text, L'.').has_value())
        << testing::PrintToString(std::wstring(text));
  }
  EXPECT_EQ(TextToVersion(L"1,5", L','), 15000);  // the separator is a parameter
}

TEST(FilterVersionText, TurnsEveryNonDigitIntoTheSeparator) {
  EXPECT_EQ(FilterVersionText(L"  V1 0-0e6\x0218 ", L'.'), L".1.0.0.6.");
  EXPECT_EQ(FilterVersionText(L"1,0006", L'.'), L"1.0006");
}

struct ShowCase {
  VersionNumber version;
  const wchar_t* shown;
};

class ShowVersionTest : public testing::TestWithParam<ShowCase> {};

TEST_P(ShowVersionTest, UsesThePattern0_0000) {
  EXPECT_EQ(ShowVersion(GetParam().version, L'.'), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShowVersionTest,
    testing::Values(ShowCase{10006, L"1.0006"}, ShowCase{25000, L"2.5000"},
                    ShowCase{100000, L"10.0000"}, ShowCase{0, L"0.0000"}, ShowCase{5, L"0.0005"},
                    ShowCase{1000, L"0.1000"}, ShowCase{10005, L"1.0005"},
                    ShowCase{12345678901234567LL, L"1234567890123.4567"},
                    ShowCase{9223372036854775807LL, L"922337203685477.5807"},
                    ShowCase{-10006, L"-1.0006"},
                    ShowCase{-9223372036854775807LL - 1, L"-922337203685477.5808"}));

TEST(ShowVersion, TheSeparatorIsAParameterNotTheLocale) {
  EXPECT_EQ(ShowVersion(10005, L','), L"1,0005");
}

TEST(ShowVersion, ConvertsBackToTheSameCount) {
  for (VersionNumber v : {0LL, 1LL, 9999LL, 10000LL, 10006LL, 123456789LL, 9223372036854775807LL}) {
    EXPECT_EQ(TextToVersion(ShowVersion(v, L'.'), L'.'), v);
  }
}

}  // namespace
}  // namespace tv
