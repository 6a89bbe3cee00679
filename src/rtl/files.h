// Files: writing a block of memory to disk, durably.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// Creates the file (an existing one is cut to zero length), exclusive while open, and writes
// all `size` bytes from `data` in a single WriteFile, straight from that memory. The bytes are
// flushed to the disk before the file is closed, so that a power cut after a later rename
// cannot leave an empty or zero-filled file under the new name. Returns false when the file
// cannot be created (nothing is changed then) or when the write fails or falls short (the
// file stays, holding what was written). The file is closed on every path.
bool WriteFileFromMemory(const std::wstring& path, const void* data, DWORD size);

}  // namespace tv
