#include "rtl/files.h"

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

}  // namespace tv
