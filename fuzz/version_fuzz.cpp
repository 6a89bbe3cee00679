// The version conversion: every accepted text gives a number that, shown and converted again,
// is the same number; the record's filter leaves only digits and the separator.
#include "core/version.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  // The first byte picks the separator: the tool's '.' or a Romanian machine's ','.
  const wchar_t separator = (data[0] & 1) ? L',' : L'.';
  const std::wstring text = tvfuzz::Utf16Units(data + 1, size - 1);

  if (const auto version = tv::TextToVersion(text, separator)) {
    FUZZ_CHECK(*version >= 0);
    const std::wstring shown = tv::ShowVersion(*version, separator);
    FUZZ_CHECK(tv::TextToVersion(shown, separator) == version);
  }
  const std::wstring filtered = tv::FilterVersionText(text, separator);
  for (const wchar_t c : filtered) {
    FUZZ_CHECK((c >= L'0' && c <= L'9') || c == separator);
  }
  FUZZ_CHECK(tv::ReadVersion(text, separator) ==
             tv::TextToVersion(filtered, separator).value_or(0));
  return 0;
}
