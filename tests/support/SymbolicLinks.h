// Whether the tests can make symbolic links here: MinGW's C++ runtime can't make any on
// Windows, so the tests of links are skipped there.
#pragma once

namespace quillmoor::testing {

bool CanMakeSymbolicLinks();

inline constexpr const char* kNoSymbolicLinks =
    "this system's C++ runtime cannot make symbolic links (MinGW on Windows)";

}  // namespace quillmoor::testing
