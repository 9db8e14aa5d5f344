// Where operations take the time their completion text counts from. Monotonic, so a run
// across midnight or a change of the system clock still reports its true duration.
#pragma once

#include <chrono>

namespace quillmoor {

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
};

class SteadyClock final : public Clock {
 public:
  TimePoint Now() override { return std::chrono::steady_clock::now(); }
};

}  // namespace quillmoor
