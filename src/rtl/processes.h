// Starting programs without waiting for them.
#pragma once

#include <string>

#include "rtl/handles.h"

namespace tv {

// Runs a batch file through the command interpreter in a hidden console. The path is quoted,
// so a folder such as "C:\Program Files\Kit" cannot make Windows start "C:\Program.exe".
// Inherits the current folder and environment. The interpreter's process, or an invalid
// handle when it could not be started.
ScopedHandle StartBatchHidden(const std::wstring& batchPath);

enum class BatchState { Running, Ended, NotSeen };

// Waits, at most `limitMs`, until the command interpreter has opened the batch file (it then
// holds it, so an exclusive open fails): Running. Ended when the interpreter has exited first;
// NotSeen when neither happened within the bound (an interpreter that reopens the file for
// each line, as Windows' does, may never be seen holding it).
BatchState WaitUntilBatchRuns(const std::wstring& batchPath, HANDLE interpreter, unsigned limitMs);

// Starts a program in a normal window, without arguments (its quoted path is the whole
// command line). Inherits the current folder and environment. True when it was started.
bool StartProgram(const std::wstring& programPath);

}  // namespace tv
