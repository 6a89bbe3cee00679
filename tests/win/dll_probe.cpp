// Starts like the tool (the same library-search limit, when asked), then loads a system DLL
// by its bare name, as Windows components do on demand, and writes where it came from.
//   dll_probe.exe limited|unlimited <dll name> <result file>
#include <windows.h>

#include <fstream>
#include <string>

#include "rtl/system.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    return 2;
  }
  if (std::wstring(argv[1]) == L"limited") {
    tv::LoadLibrariesFromSystemFolderOnly();
  }
  const HMODULE module = ::LoadLibraryW(argv[2]);
  std::wstring path = L"(not loaded)";
  if (module != nullptr) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(module, buffer, MAX_PATH);
    path.assign(buffer, length);
  }
  std::wofstream(argv[3]) << path;
  return 0;
}
