// Process-wide number format.
#pragma once

namespace tv {

// The decimal separator that every conversion between numbers and text uses. It is ours alone:
// nothing refreshes it from the regional settings.
extern wchar_t DecimalSeparator;

}  // namespace tv
