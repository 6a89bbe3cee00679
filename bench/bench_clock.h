// The benchmarks' clock.
#pragma once

#include <windows.h>

// A monotonic time in seconds, from the performance counter.
inline double Seconds() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
