// The 17 track wads of the game, in the order the track update visits them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoor {

inline constexpr std::array<std::string_view, 17> TrackNames = {
    "a1ring2001",       "barcelona2001",  "hockenheim2001",  "hungaroring2001", "imola2001",
    "indianapolis2001", "interlagos2001", "magnycours2001",  "melborne2001",    "monaco2001",
    "montreal2001",     "monza2001",      "nurburgring2001", "sepang2001",      "silverstone2001",
    "spa2001",          "suzuka2001"};

// The paths of the 17 track wads in gameFolder, in the order of TrackNames.
std::vector<std::string> TrackWadPaths(const std::string& gameFolder);

}  // namespace quillmoor
