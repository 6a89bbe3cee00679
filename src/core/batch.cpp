#include "core/batch.h"

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
  line("@set " + counter + "=0");
  line(":redo");
  line("@del " + tool);
  line("@set /a " + counter + "+=1");
  line("@if %" + counter + "% GEQ " + std::to_string(kBatchLastAttempt) + " goto stop");
  line("@if %" + counter + "% GEQ " + std::to_string(kBatchQuickAttempts) + " if EXIST " + tool +
       " ping -n 2 127.0.0.1 >nul");
  line("if EXIST " + tool + " GOTO redo");
  line(":stop");
  line("@del " + BatchQuoted(batchPath));
  return text;
}

}  // namespace tv
