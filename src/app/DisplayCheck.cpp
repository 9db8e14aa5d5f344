#include "app/DisplayCheck.h"

#include <algorithm>

namespace quillmoor {

bool DisplayNamed(const std::vector<std::string>& args,
                  const std::function<std::string(const char*)>& environment) {
  if (std::ranges::find(args, "-platform") != args.end()) return true;
  return !environment("QT_QPA_PLATFORM").empty() || !environment("DISPLAY").empty() ||
         !environment("WAYLAND_DISPLAY").empty();
}

}  // namespace quillmoor
