// Extraction of the payload against CopyFile of the same bytes, and the process's private
// bytes around an extraction. This program carries its own TALVORINTE/UPGRADE resource (the
// size is chosen at build time). Usage: extract_bench FOLDER [ROUNDS]
#include <windows.h>

#include "bench_clock.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "rtl/files.h"
#include "rtl/handles.h"
#include "rtl/resources.h"

namespace {

// The process's private bytes. Wine reports PrivateUsage as 0; there the anonymous resident
// memory of the process, from Linux, stands in for it.
SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  if (counters.PrivateUsage != 0) {
    return counters.PrivateUsage;
  }
  FILE* status = _wfopen(L"Z:\\proc\\self\\status", L"r");
  if (status == nullptr) {
    return 0;
  }
  char line[256];
  SIZE_T kib = 0;
  while (std::fgets(line, sizeof(line), status) != nullptr) {
    unsigned long value = 0;
    if (std::sscanf(line, "RssAnon: %lu kB", &value) == 1) {
      kib = value;
    }
  }
  std::fclose(status);
  return kib * 1024;
}

bool FlushFile(const std::wstring& path) {
  const tv::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsValid() && ::FlushFileBuffers(file.get());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: extract_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
  const std::wstring extracted = folder + L"\\Tmp";
  const std::wstring copied = folder + L"\\Copy";
  const auto payload = tv::FindOwnResource(L"Talvorinte", L"UpGrade");
  if (!payload) {
    return 1;
  }

  const SIZE_T before = PrivateBytes();
  if (!tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", extracted)) {
    return 1;
  }
  const SIZE_T after = PrivateBytes();

  std::vector<double> extract, copy, copyFlush;
  // Each timed step writes a new file (as the tool does: a leftover Tmp is deleted first) and
  // starts with nothing left unflushed, so that no step pays for another's data: Linux may
  // write all pending data of the file system in one flush.
  for (int round = 0; round < rounds; ++round) {
    ::DeleteFileW(extracted.c_str());
    double start = Seconds();
    tv::ExtractResourceToFile(L"Talvorinte", L"UpGrade", extracted);
    extract.push_back(Seconds() - start);
    ::DeleteFileW(copied.c_str());
    start = Seconds();
    ::CopyFileW(extracted.c_str(), copied.c_str(), FALSE);
    copy.push_back(Seconds() - start);
    FlushFile(copied);
    ::DeleteFileW(copied.c_str());
    start = Seconds();
    ::CopyFileW(extracted.c_str(), copied.c_str(), FALSE);
    FlushFile(copied);
    copyFlush.push_back(Seconds() - start);
    std::printf("round %d: extract %.1f ms, copy %.1f ms, copy + flush %.1f ms\n", round,
                extract.back() * 1000, copy.back() * 1000, copyFlush.back() * 1000);
  }
  ::DeleteFileW(extracted.c_str());
  ::DeleteFileW(copied.c_str());
  std::printf("payload_bytes=%lu rounds=%d\n", static_cast<unsigned long>(payload->size), rounds);
  std::printf("extract_median_ms=%.1f copy_median_ms=%.1f copy_flush_median_ms=%.1f\n",
              Median(extract) * 1000, Median(copy) * 1000, Median(copyFlush) * 1000);
  std::printf("ratio_extract_to_copy=%.2f ratio_extract_to_copy_flush=%.2f\n",
              Median(extract) / Median(copy), Median(extract) / Median(copyFlush));
  std::printf("private_bytes_before=%zu after=%zu growth=%lld\n", before, after,
              static_cast<long long>(after) - static_cast<long long>(before));
  return 0;
}
