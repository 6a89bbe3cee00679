#include "core/cmdline.h"

namespace tv {

namespace {

// Reads one parameter starting at pos; returns the position after it.
size_t NextParam(std::wstring_view line, size_t pos, std::wstring& param) {
  const auto at = [&](size_t i) -> wchar_t { return i < line.size() ? line[i] : L'\0'; };
  for (;;) {
    while (at(pos) != L'\0' && at(pos) <= L' ') {
      ++pos;
    }
    if (at(pos) == L'"' && at(pos + 1) == L'"') {
      pos += 2;
    } else {
      break;
    }
  }
  param.clear();
  while (at(pos) > L' ') {
    if (at(pos) == L'"') {
      ++pos;
      while (at(pos) != L'\0' && at(pos) != L'"') {
        param += at(pos++);
      }
      if (at(pos) != L'\0') {
        ++pos;  // the closing quote
      }
    } else {
      param += at(pos++);
    }
  }
  return pos;
}

}  // namespace

std::vector<std::wstring> CommandLineParams(std::wstring_view commandLine) {
  // A NUL inside the view ends the line, as it does in the process's own command line.
  commandLine = commandLine.substr(0, commandLine.find(L'\0'));
  std::vector<std::wstring> params;
  std::wstring param;
  size_t pos = NextParam(commandLine, 0, param);  // the program's own name
  for (;;) {
    pos = NextParam(commandLine, pos, param);
    if (param.empty()) {
      break;
    }
    params.push_back(param);
  }
  return params;
}

}  // namespace tv
