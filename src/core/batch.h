// The self-removal batch file's text: pure, no Win32.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Bounds of the batch file's loop: the first attempts follow each other at once, so that the
// tool's executable goes as soon as Windows releases it. They must outlast the tool's exit: the
// new main application, started just before, runs the tool again if it still finds it (1000
// attempts take about 2.5 s under Wine, less on Windows). Later attempts are paced by a pause of
// about five seconds (each pause starts a program, which costs some CPU: a shorter one would
// keep a core busier while something else holds the file); after the last one the batch file
// gives up and removes itself.
inline constexpr int kBatchQuickAttempts = 1000;
inline constexpr int kBatchLastAttempt = 1024;  // 24 paced attempts: about two minutes

// A path as it must stand between double quotes in a batch file: every '%' doubled, so that
// the command interpreter does not expand it. The path is already in the bytes the
// interpreter reads (its console code page).
std::string BatchQuoted(std::string_view encodedPath);

// The batch file that deletes the tool's executable once the tool has exited, then itself.
// Both paths are already encoded. Exactly these bytes, each line ended by CR LF, no BOM
// (T is the tool's path, B the batch file's, both with '%' doubled):
//
//   @set UpTalvorinteTries=0
//   :redo
//   @del "T"
//   @set /a UpTalvorinteTries+=1
//   @if %UpTalvorinteTries% GEQ 1024 goto stop
//   @if %UpTalvorinteTries% GEQ 1000 if EXIST "T" ping -n 6 -w 1000 127.0.0.1 >nul
//   if EXIST "T" GOTO redo
//   :stop
//   @del "B"
//
// The ":redo", "@del", "if EXIST ... GOTO redo" and final "@del" lines are the original four;
// the others count the attempts, pause (six echoes to the loopback address are a second
// apart, and a lost reply waits no longer than a second: the one pause that cmd, on every Windows
// and on Wine, can take without a console to read from) and stop at the bound.
std::string SelfRemovalBatch(std::string_view toolPath, std::string_view batchPath);

}  // namespace tv
