#include "rtl/processes.h"

#include <windows.h>

#include "rtl/files.h"
#include "rtl/handles.h"

namespace tv {

namespace {

ScopedHandle Start(const std::wstring& application, std::wstring commandLine, WORD show,
                   DWORD flags) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                        nullptr, nullptr, &startup, &info)) {
    return ScopedHandle();
  }
  const ScopedHandle thread(info.hThread);
  return ScopedHandle(info.hProcess);
}

std::wstring CommandInterpreter() {
  // From the system folder, never from a search that the current folder could answer.
  std::wstring folder(MAX_PATH, L'\0');
  const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  folder.resize(length);
  return folder + L"\\cmd.exe";
}

}  // namespace

ScopedHandle StartBatchHidden(const std::wstring& batchPath) {
  // /c with the quoted path in a second pair of quotes: cmd strips the outer pair and runs the
  // path as one quoted word, whatever characters (& ^ ( ) %) the folder holds. /d skips the
  // AutoRun commands of the registry.
  // No console window at all: nothing to flash, and the interpreter's echo goes nowhere.
  return Start(CommandInterpreter(), L"cmd.exe /d /c \"\"" + batchPath + L"\"\"", SW_HIDE,
               CREATE_NO_WINDOW);
}

BatchState WaitUntilBatchRuns(const std::wstring& batchPath, HANDLE interpreter, unsigned limitMs) {
  BatchState state = BatchState::NotSeen;
  RetryFor(limitMs, 10, [&] {
    ScopedFile probe(::CreateFileW(batchPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.IsValid() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
      state = BatchState::Running;
    } else if (::WaitForSingleObject(interpreter, 0) == WAIT_OBJECT_0) {
      state = BatchState::Ended;
    }
    return state != BatchState::NotSeen;
  });
  return state;
}

bool StartProgram(const std::wstring& programPath) {
  return Start(programPath, L"\"" + programPath + L"\"", SW_SHOWNORMAL, 0).IsValid();
}

}  // namespace tv
