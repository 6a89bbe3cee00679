// The benchmarks' clock, and the median of their rounds.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// A monotonic time in seconds, from the performance counter.
inline double Seconds() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The middle value of the rounds (the upper one of the two middles for an even count).
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
