// A clock that shows what the test sets, for exact elapsed times.
#pragma once

#include <chrono>

#include "operations/Clock.h"

namespace quillmoor::testing {

class FakeClock final : public Clock {
 public:
  TimePoint Now() override { return now_; }
  void Advance(std::chrono::milliseconds step) { now_ += step; }

 private:
  TimePoint now_{std::chrono::hours(24 * 365)};
};

}  // namespace quillmoor::testing
