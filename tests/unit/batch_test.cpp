#include "core/batch.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(SelfRemovalBatch, HoldsExactlyTheseBytes) {
  const std::string expected =
      "@set UpTalvorinteTries=0\r\n"
      ":redo\r\n"
      "@del \"C:\\Kit\\UpTalvorinte.exe\"\r\n"
      "@set /a UpTalvorinteTries+=1\r\n"
      "@if %UpTalvorinteTries% GEQ 1024 goto stop\r\n"
      "@if %UpTalvorinteTries% GEQ 1000 if EXIST \"C:\\Kit\\UpTalvorinte.exe\" ping -n 6 -w 1000 "
      "127.0.0.1 >nul\r\n"
      "if EXIST \"C:\\Kit\\UpTalvorinte.exe\" GOTO redo\r\n"
      ":stop\r\n"
      "@del \"C:\\Kit\\suicide.bat\"\r\n";
  EXPECT_EQ(SelfRemovalBatch("C:\\Kit\\UpTalvorinte.exe", "C:\\Kit\\suicide.bat"), expected);
}

TEST(SelfRemovalBatch, KeepsTheOriginalLinesInTheirOrder) {
  const std::string text = SelfRemovalBatch("C:\\UpTalvorinte.exe", "C:\\suicide.bat");
  const size_t redo = text.find("\r\n:redo\r\n");
  const size_t del = text.find("\r\n@del \"C:\\UpTalvorinte.exe\"\r\n");
  const size_t loop = text.find("\r\nif EXIST \"C:\\UpTalvorinte.exe\" GOTO redo\r\n");
  const size_t self = text.rfind("\r\n@del \"C:\\suicide.bat\"\r\n");
  ASSERT_NE(redo, std::string::npos);
  ASSERT_NE(del, std::string::npos);
  ASSERT_NE(loop, std::string::npos);
  ASSERT_NE(self, std::string::npos);
  EXPECT_LT(redo, del);
  EXPECT_LT(del, loop);
  EXPECT_LT(loop, self);
  // The last line ends with CR LF and nothing follows; no byte-order mark, no bare LF.
  EXPECT_EQ(self + std::string("\r\n@del \"C:\\suicide.bat\"\r\n").size(), text.size());
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), std::string::npos);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r');
    }
  }
}

TEST(BatchQuoted, DoublesPercentSignsAndLeavesTheRestToTheQuotes) {
  EXPECT_EQ(BatchQuoted("C:\\100%\\a&b ^(c)%PATH%"), "\"C:\\100%%\\a&b ^(c)%%PATH%%\"");
  EXPECT_EQ(BatchQuoted(""), "\"\"");
  EXPECT_EQ(BatchQuoted("C:\\\xC7\x83\x8C"), "\"C:\\\xC7\x83\x8C\"");  // OEM bytes pass as they are
}

}  // namespace
}  // namespace tv
