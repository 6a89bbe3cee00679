// Starting programs without waiting for them.
#pragma once

#include <string>

namespace tv {

// Runs a batch file through the command interpreter in a hidden console. The path is quoted,
// so a folder such as "C:\Program Files\Kit" cannot make Windows start "C:\Program.exe".
// Inherits the current folder and environment. True when the process was started.
bool StartBatchHidden(const std::wstring& batchPath);

// Waits, at most `limitMs`, until the command interpreter has opened the batch file (it then
// holds it, so an exclusive open fails). True when it has.
bool WaitUntilBatchRuns(const std::wstring& batchPath, unsigned limitMs);

// Starts a program in a normal window, without arguments (its quoted path is the whole
// command line). Inherits the current folder and environment. True when it was started.
bool StartProgram(const std::wstring& programPath);

}  // namespace tv
