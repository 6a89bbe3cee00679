// Where the extraction's time goes: creating the target, the write straight from the
// resource, the flush; and the same write from an ordinary heap buffer.
// Usage: extract_phases WORK_FOLDER [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "rtl/handles.h"

namespace {

struct Phases {
  double open, write, flush;
};

Phases WriteTimed(const std::wstring& path, const char* data, DWORD size) {
  Phases phases{};
  ::DeleteFileW(path.c_str());  // a new file, as the tool writes (a leftover Tmp goes first)
  double start = Seconds();
  tv::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  phases.open = Seconds() - start;
  start = Seconds();
  DWORD written = 0;
  ::WriteFile(file.get(), data, size, &written, nullptr);
  phases.write = Seconds() - start;
  start = Seconds();
  ::FlushFileBuffers(file.get());
  phases.flush = Seconds() - start;
  return phases;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: extract_phases WORK_FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring work = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 4;
  const HRSRC found = ::FindResourceExW(nullptr, L"TALVORINTE", L"UPGRADE", 1048);
  const DWORD size = ::SizeofResource(nullptr, found);
  const auto* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
  const std::vector<char> heap(data, data + size);
  for (int round = 0; round < rounds; ++round) {
    const Phases resource = WriteTimed(work + L"\\phases-resource.bin", data, size);
    const Phases copy = WriteTimed(work + L"\\phases-heap.bin", heap.data(), size);
    std::printf(
        "round %d: from the resource: open %.1f ms, write %.1f ms, flush %.1f ms; "
        "from the heap: open %.1f ms, write %.1f ms, flush %.1f ms\n",
        round, resource.open * 1000, resource.write * 1000, resource.flush * 1000, copy.open * 1000,
        copy.write * 1000, copy.flush * 1000);
  }
  return 0;
}
