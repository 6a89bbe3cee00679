// Version numbers: fixed point with exactly four decimals. Pure, no Win32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

// A version held as a signed 64-bit count of ten-thousandths: 1.0006 is 10006.
using VersionNumber = std::int64_t;

// Converts a decimal numeral to a VersionNumber. Accepted: a non-empty text of digits with at
// most one `separator`, digits on both sides or one side only ("5", "5.", ".5"; a lone separator
// gives 0). The count is rounded to the nearest ten-thousandth, an exact half to the even count
// (1.00005 gives 10000, 1.00015 gives 10002); the arithmetic is exact decimal, so every digit
// counts. Rejected (nullopt): the empty text, two or more separators, any other character, and a
// count beyond the signed 64-bit range.
std::optional<VersionNumber> TextToVersion(std::wstring_view text, wchar_t separator);

// The version text of the record made fit for the conversion: trimmed at both ends (codes 0 to
// 32), then every character that is neither a digit nor `separator` replaced by `separator`.
std::wstring FilterVersionText(std::wstring_view recordValue, wchar_t separator);

// The record's version: the filtered text converted, or 0 when the conversion rejects it.
VersionNumber ReadVersion(std::wstring_view recordValue, wchar_t separator);

// The version shown with the pattern 0.0000 (with `separator` as the point): at least one digit
// before it, exactly four after, no thousands separators. 10006 shows as 1.0006.
std::wstring ShowVersion(VersionNumber version, wchar_t separator);

}  // namespace tv
