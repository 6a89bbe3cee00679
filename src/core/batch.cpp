#include "core/batch.h"

#include "core/text.h"

namespace tv {

std::string BatchQuoted(std::string_view encodedPath) {
  std::string quoted = "\"";
  for (const char c : encodedPath) {
    quoted += c;
    if (c == '%') {
      quoted += '%';
    }
  }
  quoted += '"';
  return quoted;
}

std::string SelfRemovalBatch(std::string_view toolPath, std::string_view batchPath) {
  const std::string tool = BatchQuoted(toolPath);
  const std::string counter = "UpTalvorinteTries";
  std::string text;
  const auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  const auto number = [](int value) {
    const std::wstring digits = DecimalDigits(static_cast<std::uint64_t>(value));
    return std::string(digits.begin(), digits.end());  // digits only: ASCII
  };
  line("@set " + counter + "=0");
  line(":redo");
  line("@del " + tool);
  line("@set /a " + counter + "+=1");
  line("@if %" + counter + "% GEQ " + number(kBatchLastAttempt) + " goto stop");
  line("@if %" + counter + "% GEQ " + number(kBatchQuickAttempts) + " if EXIST " + tool +
       " ping -n 6 -w 1000 127.0.0.1 >nul");
  line("if EXIST " + tool + " GOTO redo");
  line(":stop");
  line("@del " + BatchQuoted(batchPath));
  return text;
}

}  // namespace tv
