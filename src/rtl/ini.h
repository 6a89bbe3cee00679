// Reading the installation record: a Windows INI file (private profile).
#pragma once

#include <string>

namespace tv {

// A reader on one INI file. It opens nothing until a value is read; each read goes to the file
// anew. Releasing it (its destructor) asks the system to drop its cached copy of profile files,
// so the next reader sees the file as it is on disk; nothing is written into the file.
class IniReader {
 public:
  explicit IniReader(std::wstring path) : path_(std::move(path)) {}
  IniReader(const IniReader&) = delete;
  IniReader& operator=(const IniReader&) = delete;
  ~IniReader();

  // The value of `key` in `section`, as GetPrivateProfileString gives it: names match without
  // regard to case, one pair of surrounding quotes is dropped, values are cut at 2047
  // characters; `fallback` when the file, section or key is missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) const;

 private:
  std::wstring path_;
};

}  // namespace tv
