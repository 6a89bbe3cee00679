#include "core/retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tv {
namespace {

using std::chrono::milliseconds;

// A clock that moves only when the code under test pauses.
struct FakeTime {
  milliseconds now{1000};
  std::vector<milliseconds> pauses;
  auto Now() {
    return [this] { return now; };
  }
  auto Pause() {
    return [this](milliseconds pause) {
      pauses.push_back(pause);
      now += pause;
    };
  }
};

TEST(RetryWithin, SucceedsAtOnceWithoutPausing) {
  FakeTime time;
  int calls = 0;
  EXPECT_TRUE(RetryWithin(
      milliseconds(60000), milliseconds(50), [&] { return ++calls == 1; }, time.Now(),
      time.Pause()));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(time.pauses.empty());
}

TEST(RetryWithin, PausesBetweenAttemptsUntilOneSucceeds) {
  FakeTime time;
  int calls = 0;
  EXPECT_TRUE(RetryWithin(
      milliseconds(60000), milliseconds(50), [&] { return ++calls == 4; }, time.Now(),
      time.Pause()));
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(time.pauses, std::vector<milliseconds>(3, milliseconds(50)));
}

TEST(RetryWithin, GivesUpAtTheLimitAfterATryAtTheLimit) {
  FakeTime time;
  int calls = 0;
  EXPECT_FALSE(RetryWithin(
      milliseconds(1000), milliseconds(50), [&] { return ++calls < 0; }, time.Now(), time.Pause()));
  // At 0, 50, ..., 1000 ms: 21 attempts, 20 pauses, never past the limit by more than a pause.
  EXPECT_EQ(calls, 21);
  EXPECT_EQ(time.pauses.size(), 20u);
  EXPECT_EQ(time.now, milliseconds(2000));
}

TEST(RetryWithin, AZeroLimitMeansOneAttempt) {
  FakeTime time;
  int calls = 0;
  EXPECT_FALSE(RetryWithin(
      milliseconds(0), milliseconds(50), [&] { return ++calls < 0; }, time.Now(), time.Pause()));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace tv
