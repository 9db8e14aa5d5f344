// The lock a run takes on a wad it will replace: held from reading the wad to putting the new
// one in its place, so that two runs on one wad (two windows, the window and the terminal, two
// track updates) take turns, the later applying its changes on top of the earlier's.
#pragma once

#include <chrono>

namespace quillmoor {

// How long a run waits for another run on the same wad to finish before it refuses.
inline constexpr std::chrono::milliseconds kWadLockWait{5000};

}  // namespace quillmoor
