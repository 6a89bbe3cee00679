// The command-line splitter: whatever the line, each parameter it gives is non-empty, holds no
// double quote and no NUL, and there are never more parameters than characters.
#include "core/cmdline.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring line = tvfuzz::Utf16Units(data, size);
  const std::vector<std::wstring> params = tv::CommandLineParams(line);
  FUZZ_CHECK(params.size() <= line.size());
  for (const std::wstring& param : params) {
    FUZZ_CHECK(!param.empty());
    FUZZ_CHECK(param.find(L'"') == std::wstring::npos);
    FUZZ_CHECK(param.find(L'\0') == std::wstring::npos);
  }
  return 0;
}
