#include "rtl/sound.h"

#include <windows.h>

#include <utility>

namespace tv {

namespace {
void SystemBeep() {
  ::MessageBeep(0);
}
BeepFunction beep = &SystemBeep;
}  // namespace

void DefaultBeep() {
  beep();
}

BeepFunction SetBeepFunction(BeepFunction function) {
  return std::exchange(beep, function);
}

}  // namespace tv
