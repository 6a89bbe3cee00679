// Files: writing a block of memory to disk, durably.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tv {

// Creates the file (an existing one is cut to zero length), exclusive while open, and writes
// all `size` bytes from `data` in a single WriteFile, straight from that memory. The bytes are
// flushed to the disk before the file is closed, so that a power cut after a later rename
// cannot leave an empty or zero-filled file under the new name. Returns false when the file
// cannot be created (nothing is changed then) or when the write fails or falls short (the
// file stays, holding what was written). The file is closed on every path.
bool WriteFileFromMemory(const std::wstring& path, const void* data, DWORD size);

// Saves text bytes to a file, replacing one that exists, and closes it. On failure, the message
// of the toolkit's file error: "Cannot create file "<path>". <system reason>" when it cannot be
// created, "Stream write error" when the write falls short.
std::optional<std::wstring> SaveTextFile(const std::wstring& path, const std::string& bytes);

// A path in the bytes that the command interpreter reads from a batch file: the console's
// (OEM) code page. Where a character has no byte there, the path's short 8.3 form stands in
// (for a file that does not exist yet, its folder's short form and its own name).
std::string PathForBatchFile(const std::wstring& path);

// Deletes a file; true once it is gone. False when it is read-only, the executable of a running
// program, held open by another process, a folder, or missing.
bool RemoveFile(const std::wstring& path);

// Clears read-only, hidden and system. Returns 0 on success, otherwise the system error code
// (never 0).
DWORD ClearFileAttributes(const std::wstring& path);

// Renames `from` to `to` within one volume, written through to the disk before it returns.
// Fails while anything named `to` exists: nothing is replaced.
bool RenameDurably(const std::wstring& from, const std::wstring& to);

// Calls `attempt` at once and then every `pauseMs` (sleeping between) until it succeeds or
// `limitMs` has passed; returns whether it succeeded.
bool RetryFor(DWORD limitMs, DWORD pauseMs, const std::function<bool()>& attempt);

}  // namespace tv
