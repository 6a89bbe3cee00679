#include "core/text.h"

namespace tv {

namespace {
bool IsBlankOrControl(wchar_t c) {
  return c <= L' ';
}

wchar_t UpperAscii(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
}
}  // namespace

std::wstring Trim(std::wstring_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlankOrControl(text[first])) {
    ++first;
  }
  while (last > first && IsBlankOrControl(text[last - 1])) {
    --last;
  }
  return std::wstring(text.substr(first, last - first));
}

std::wstring FolderPart(std::wstring_view path) {
  const size_t pos = path.find_last_of(L"\\:");
  if (pos == std::wstring_view::npos) {
    return {};
  }
  return std::wstring(path.substr(0, pos + 1));
}

std::wstring DecimalDigits(std::uint64_t value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::wstring TidyFolder(std::wstring_view folder) {
  std::wstring result = Trim(folder);
  if (!result.empty() && result.back() == L'\\') {
    result.pop_back();
  }
  return result;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring result(folder);
  result += L'\\';
  result += name;
  return result;
}

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) {
      return false;
    }
  }
  return true;
}

std::wstring WithClosingPeriod(std::wstring message) {
  if (!message.empty() && message.back() > L'.') {
    message += L'.';
  }
  return message;
}

}  // namespace tv
