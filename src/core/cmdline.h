// The command-line splitter of the run-time layer: pure, no Win32.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The parameters after the program's own name, cut by the run-time library's rules (which are
// not CommandLineToArgvW's):
// - runs of characters with codes 1 to 32 separate parameters; a NUL ends the line;
// - a double quote opens a stretch that ends at the next double quote or at the end of the line;
//   its blanks belong to the parameter and the quotes are dropped; quoted and unquoted stretches
//   that touch form one parameter;
// - two double quotes in a row at the start of a parameter are skipped, so "" counts as nothing;
// - the list ends at the first parameter that comes out empty.
// Every returned parameter is non-empty and holds no double quote.
std::vector<std::wstring> CommandLineParams(std::wstring_view commandLine);

}  // namespace tv
