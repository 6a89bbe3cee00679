#include "rtl/ini.h"

#include <windows.h>

namespace tv {

IniReader::~IniReader() {
  // All three names NULL: flush the system's cache of profile files; writes nothing.
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}

std::wstring IniReader::ReadString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& fallback) const {
  std::wstring buffer(2048, L'\0');
  const DWORD length =
      ::GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path_.c_str());
  buffer.resize(length);
  return buffer;
}

}  // namespace tv
