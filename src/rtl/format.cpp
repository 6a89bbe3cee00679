#include "rtl/format.h"

namespace tv {

wchar_t DecimalSeparator = L'.';

}  // namespace tv
