#include "core/version.h"

#include <limits>

#include "core/text.h"

namespace tv {

namespace {

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// Whole part digits beyond this cannot give a count within the 64-bit range; stopping here
// keeps the accumulator from wrapping however long the text is.
constexpr std::uint64_t kWholeCap = 1'000'000'000'000'000ull;

}  // namespace

std::optional<VersionNumber> TextToVersion(std::wstring_view text, wchar_t separator) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t whole = 0;
  bool tooLarge = false;
  std::uint64_t fraction = 0;  // the first four decimals
  int fractionDigits = 0;
  int roundingDigit = -1;           // the fifth decimal, -1 when there is none
  bool belowRoundingDigit = false;  // any non-zero decimal after the fifth
  bool seenSeparator = false;

  for (const wchar_t c : text) {
    if (c == separator) {
      if (seenSeparator) {
        return std::nullopt;
      }
      seenSeparator = true;
      continue;
    }
    if (!IsDigit(c)) {
      return std::nullopt;
    }
    const int digit = c - L'0';
    if (!seenSeparator) {
      if (!tooLarge) {
        whole = whole * 10 + static_cast<std::uint64_t>(digit);
        tooLarge = whole >= kWholeCap;
      }
    } else if (fractionDigits < 4) {
      fraction = fraction * 10 + static_cast<std::uint64_t>(digit);
      ++fractionDigits;
    } else if (roundingDigit < 0) {
      roundingDigit = digit;
    } else if (digit != 0) {
      belowRoundingDigit = true;
    }
  }
  if (tooLarge) {
    return std::nullopt;
  }
  for (; fractionDigits < 4; ++fractionDigits) {
    fraction *= 10;
  }
  std::uint64_t count = whole * 10000 + fraction;  // whole < 10^15: no wrap
  const bool aboveHalf = roundingDigit > 5 || (roundingDigit == 5 && belowRoundingDigit);
  const bool exactHalf = roundingDigit == 5 && !belowRoundingDigit;
  if (aboveHalf || (exactHalf && count % 2 == 1)) {
    ++count;
  }
  if (count > static_cast<std::uint64_t>(std::numeric_limits<VersionNumber>::max())) {
    return std::nullopt;
  }
  return static_cast<VersionNumber>(count);
}

std::wstring FilterVersionText(std::wstring_view recordValue, wchar_t separator) {
  std::wstring text = Trim(recordValue);
  for (wchar_t& c : text) {
    if (!IsDigit(c)) {
      c = separator;
    }
  }
  return text;
}

VersionNumber ReadVersion(std::wstring_view recordValue, wchar_t separator) {
  return TextToVersion(FilterVersionText(recordValue, separator), separator).value_or(0);
}

std::wstring ShowVersion(VersionNumber version, wchar_t separator) {
  // Work on the magnitude as unsigned so that the most negative count shows too.
  const bool negative = version < 0;
  const std::uint64_t magnitude =
      negative ? ~static_cast<std::uint64_t>(version) + 1 : static_cast<std::uint64_t>(version);
  std::wstring decimals = DecimalDigits(magnitude % 10000);
  decimals.insert(0, 4 - decimals.size(), L'0');
  std::wstring result = negative ? L"-" : L"";
  result += DecimalDigits(magnitude / 10000);
  result += separator;
  result += decimals;
  return result;
}

}  // namespace tv
