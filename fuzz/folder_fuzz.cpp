// The tidying of the record's folder: the result is the trimmed value less at most its one
// trailing backslash, so it ends in a backslash only when the value ended in two (the record's
// rule: "C:\App\\" keeps one); and tidying it again with a backslash added gives it back.
#include "core/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring value = tvfuzz::Utf16Units(data, size);
  const std::wstring trimmed = tv::Trim(value);
  const std::wstring tidy = tv::TidyFolder(value);

  FUZZ_CHECK(trimmed.compare(0, tidy.size(), tidy) == 0);
  FUZZ_CHECK(trimmed.size() - tidy.size() <= 1);
  if (!tidy.empty()) {
    FUZZ_CHECK(tidy.front() > L' ');
  }
  if (!tidy.empty() && tidy.back() == L'\\') {
    FUZZ_CHECK(trimmed.size() >= 2 && trimmed.ends_with(L"\\\\"));
  }
  FUZZ_CHECK(tv::TidyFolder(tidy + L"\\") == tidy);
  return 0;
}
