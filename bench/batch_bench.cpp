// The self-removal batch file while it waits: the tool's executable stays held open, so every
// attempt fails, for as long as the bench runs. CPU is read from outside (bench/run.sh).
// Usage: batch_bench WORK_FOLDER SECONDS
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/batch.h"
#include "rtl/files.h"
#include "rtl/handles.h"
#include "rtl/processes.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: batch_bench WORK_FOLDER SECONDS\n");
    return 2;
  }
  const std::wstring work = argv[1];
  const DWORD seconds = static_cast<DWORD>(_wtoi(argv[2]));
  const std::wstring tool = work + L"\\UpTalvorinte.exe";
  const std::wstring batch = work + L"\\suicide.bat";
  // Held without delete sharing: the batch file's del fails on every attempt.
  const tv::ScopedFile held(::CreateFileW(tool.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_ALWAYS, 0, nullptr));
  if (!held.IsValid()) {
    return 1;
  }
  const std::string text =
      tv::SelfRemovalBatch(tv::PathForBatchFile(tool), tv::PathForBatchFile(batch));
  if (tv::SaveTextFile(batch, text) || !tv::StartBatchHidden(batch)) {
    return 1;
  }
  std::printf("batch started\n");
  std::fflush(stdout);
  ::Sleep(seconds * 1000);
  return 0;
}
