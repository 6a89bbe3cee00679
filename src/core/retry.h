// Paced, bounded retrying: pure, with the clock and the pause passed in.
#pragma once

#include <chrono>

namespace tv {

// Calls attempt() at once, then again after each `pause` until it returns true or `limit` has
// passed since the first call; never spins (it pauses between attempts) and never hangs (it
// stops at the limit). Returns whether an attempt succeeded.
template <typename Attempt, typename Now, typename Pause>
bool RetryWithin(std::chrono::milliseconds limit, std::chrono::milliseconds pause,
                 Attempt&& attempt, Now&& now, Pause&& sleep) {
  const auto start = now();
  for (;;) {
    if (attempt()) {
      return true;
    }
    if (now() - start >= limit) {
      return false;
    }
    sleep(pause);
  }
}

}  // namespace tv
