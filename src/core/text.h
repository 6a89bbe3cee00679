// Text and path helpers of the run-time layer: pure functions, no Win32.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tv {

// Removes every character with a code from 0 to 32 (blanks and control characters) at both
// ends; such characters inside the text stay.
std::wstring Trim(std::wstring_view text);

// The decimal digits of a count, without sign or separators. (std::to_wstring would bring the
// C library's whole number formatter, floating point included, into the executable.)
std::wstring DecimalDigits(std::uint64_t value);

// The path up to and including its last '\' or ':'; empty when it has neither.
std::wstring FolderPart(std::wstring_view path);

// A folder as the record or a path gives it, made fit to hold: trimmed at both ends, then one
// trailing '\' removed (only one). Never ends in '\' unless the input was only that.
std::wstring TidyFolder(std::wstring_view folder);

// Folder and name joined with a single backslash. Folders are held without a trailing
// backslash, so an empty folder gives "\name", the root of the current drive.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// True when both texts are equal ignoring the case of the letters A to Z.
bool SameTextAscii(std::wstring_view a, std::wstring_view b);

// An error message as the standard error box shows it: a '.' is appended when the message is
// not empty and its last character has a code above that of '.'.
std::wstring WithClosingPeriod(std::wstring message);

}  // namespace tv
