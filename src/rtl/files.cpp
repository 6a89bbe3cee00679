#include "rtl/files.h"

#include "core/retry.h"
#include "rtl/handles.h"

namespace tv {

bool WriteFileFromMemory(const std::wstring& path, const void* data, DWORD size) {
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return false;
  }
  if (size != 0) {
    DWORD written = 0;
    if (!::WriteFile(file.get(), data, size, &written, nullptr) || written != size) {
      return false;
    }
  }
  // The data must reach the disk before anything renames this file over the old one.
  const bool flushed = ::FlushFileBuffers(file.get()) != FALSE;
  return file.Close() && flushed;
}

namespace {

std::wstring SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring message(buffer != nullptr ? buffer : L"", length);
  if (buffer != nullptr) {
    ::LocalFree(buffer);
  }
  while (!message.empty() &&
         (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
    message.pop_back();
  }
  return message;
}

// Encodes in the OEM code page; nullopt when a character has no byte there.
std::optional<std::string> ToOem(const std::wstring& text) {
  if (text.empty()) {
    return std::string();
  }
  BOOL lossy = FALSE;
  const int size =
      ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                            static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) {
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                        bytes.data(), size, nullptr, &lossy);
  return bytes;
}

std::wstring ShortPath(const std::wstring& path) {
  const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) {
    return path;
  }
  std::wstring shortPath(size, L'\0');
  shortPath.resize(::GetShortPathNameW(path.c_str(), shortPath.data(), size));
  return shortPath;
}

}  // namespace

std::optional<std::wstring> SaveTextFile(const std::wstring& path, const std::string& bytes) {
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return L"Cannot create file \"" + path + L"\". " + SystemMessage(::GetLastError());
  }
  DWORD written = 0;
  if (!bytes.empty() && (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                         written != bytes.size())) {
    return std::wstring(L"Stream write error");
  }
  return std::nullopt;
}

std::string PathForBatchFile(const std::wstring& path) {
  if (std::optional<std::string> direct = ToOem(path)) {
    return *direct;
  }
  // A character the console cannot show: the short form of the path is plain ASCII. A file
  // that does not exist yet has none of its own; its folder does.
  std::wstring shortPath = ShortPath(path);
  if (shortPath == path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
      shortPath = ShortPath(path.substr(0, slash)) + path.substr(slash);
    }
  }
  if (std::optional<std::string> shortBytes = ToOem(shortPath)) {
    return *shortBytes;
  }
  // No short names on this volume: the closest bytes there are.
  std::string bytes(static_cast<size_t>(::WideCharToMultiByte(CP_OEMCP, 0, shortPath.c_str(),
                                                              static_cast<int>(shortPath.size()),
                                                              nullptr, 0, nullptr, nullptr)),
                    '\0');
  ::WideCharToMultiByte(CP_OEMCP, 0, shortPath.c_str(), static_cast<int>(shortPath.size()),
                        bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

bool RemoveFile(const std::wstring& path) {
  return ::DeleteFileW(path.c_str()) != FALSE;
}

DWORD ClearFileAttributes(const std::wstring& path) {
  if (::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
    return 0;
  }
  const DWORD error = ::GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

bool RenameDurably(const std::wstring& from, const std::wstring& to) {
  // No MOVEFILE_REPLACE_EXISTING: whatever stands under the new name is never overwritten.
  return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RetryFor(DWORD limitMs, DWORD pauseMs, const std::function<bool()>& attempt) {
  using std::chrono::milliseconds;
  return RetryWithin(
      milliseconds(limitMs), milliseconds(pauseMs), attempt,
      [] { return milliseconds(::GetTickCount64()); },
      [](milliseconds pause) { ::Sleep(static_cast<DWORD>(pause.count())); });
}

}  // namespace tv
