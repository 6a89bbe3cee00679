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
