// The system's default beep, from one place.
#pragma once

namespace tv {

// Sounds the system's default beep (MessageBeep with 0).
void DefaultBeep();

// Replaces what DefaultBeep does; returns the previous function. For tests that count beeps.
using BeepFunction = void (*)();
BeepFunction SetBeepFunction(BeepFunction function);

}  // namespace tv
