#include "core/cmdline.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

struct SplitCase {
  const wchar_t* line;
  std::vector<std::wstring> params;
};

class CommandLineParamsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineParamsTest, SplitsAsTheRunTimeLibraryDoes) {
  EXPECT_EQ(CommandLineParams(GetParam().line), GetParam().params);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParamsTest,
    testing::Values(
        SplitCase{L"UpTalvorinte.exe", {}}, SplitCase{L"", {}},
        SplitCase{L"\"C:\\Kit\\UpTalvorinte.exe\"", {}},
        // The main application's call: its own path in quotes.
        SplitCase{L"\"C:\\Kit\\UpTalvorinte.exe\" \"C:\\Program Files\\Kit\\Talvorinte.exe\"",
                  {L"C:\\Program Files\\Kit\\Talvorinte.exe"}},
        SplitCase{L"up a b  c", {L"a", L"b", L"c"}},
        // Quotes in the middle join the stretches and are dropped.
        SplitCase{L"up C:\\Pro\"gram Fi\"les\\x", {L"C:\\Program Files\\x"}},
        SplitCase{L"up a\"b\"c", {L"abc"}},
        // An unclosed quote runs to the end of the line.
        SplitCase{L"up \"C:\\Open ended", {L"C:\\Open ended"}},
        // "" at the start of a parameter is skipped; alone it counts as nothing.
        SplitCase{L"up \"\"", {}}, SplitCase{L"up \"\" next", {L"next"}},
        SplitCase{L"up \"\"\"\"x", {L"x"}}, SplitCase{L"up \"\"x\"\"y", {L"xy"}},
        // After a skipped pair, a quote opens a stretch as usual.
        SplitCase{L"up \"\"\" \" tail", {L" ", L"tail"}},
        SplitCase{L"up a \"\"\"\"\"\" b", {L"a", L"b"}}, SplitCase{L"up a \"\"\"", {L"a"}},
        // Control characters separate parameters like blanks.
        SplitCase{L"up\ta\x01\x1F"
                  L"b\r\nc",
                  {L"a", L"b", L"c"}},
        // The program name follows the same rules, quotes and all.
        SplitCase{L"\"C:\\My Kit\\up.exe\"x y", {L"y"}},
        SplitCase{L"\"\" a", {}},  // the first parameter is the program name, whatever it is
        // Letters outside ASCII (s and S with comma below) are ordinary characters.
        SplitCase{L"up \x0219"
                  L"a \x0218",
                  {L"\x0219"
                   L"a",
                   L"\x0218"}}));

TEST(CommandLineParams, NulInsideTheViewEndsTheLine) {
  const std::wstring line(L"up a\0b c", 8);
  EXPECT_EQ(CommandLineParams(line), std::vector<std::wstring>{L"a"});
}

TEST(CommandLineParams, ALoneQuoteAtTheEndIsAnEmptyParameterThatEndsTheList) {
  EXPECT_EQ(CommandLineParams(L"up one \""), std::vector<std::wstring>{L"one"});
  EXPECT_EQ(CommandLineParams(L"up one \"\"\"\" \"\" two"),
            std::vector<std::wstring>({L"one", L"two"}));
  // Two stretches that touch: " " then " two".
  EXPECT_EQ(CommandLineParams(L"up one \"\"\" \"\" two"),
            std::vector<std::wstring>({L"one", L"  two"}));
}

}  // namespace
}  // namespace tv
