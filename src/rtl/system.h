// Facts about the running process and the machine: folders, own path, command line, file tests.
#pragma once

#include <string>

namespace tv {

// The Windows folder as the system reports it (no trailing '\' unless a drive root), of any
// length; empty when the system call fails.
std::wstring WindowsFolder();

// The full path of the running program's own executable file, of any length.
std::wstring OwnExecutablePath();

// The process's command line as the system holds it.
std::wstring ProcessCommandLine();

// True only for an existing entry that is not a folder.
bool FileExists(const std::wstring& path);

// True only for an existing entry that carries the folder attribute.
bool DirectoryExists(const std::wstring& path);

// Limits the library search of this process to the system folder. Windows 7 without its
// update KB2533623 lacks the call; there it only stops the current folder being searched.
void LoadLibrariesFromSystemFolderOnly();

}  // namespace tv
