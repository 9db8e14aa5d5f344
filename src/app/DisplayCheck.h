// Whether the window program has a display to open its window on.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quillmoor {

// The one line said when there is no display, pointing at the terminal's program.
inline constexpr const char* kNoDisplayText =
    "quillmoor: no display to open the window on; from a terminal, quillmoor-cli does the "
    "same work (quillmoor-cli --help)\n";

// Whether a display can be reached: an X11 or Wayland display is named in the environment, or
// a platform is chosen for the window system (QT_QPA_PLATFORM, or -platform among args, as
// tests do with offscreen). environment gives a variable's value, empty when unset.
bool DisplayNamed(const std::vector<std::string>& args,
                  const std::function<std::string(const char*)>& environment);

}  // namespace quillmoor
