#include "SymbolicLinks.h"

#include <filesystem>
#include <system_error>

#include "TempDir.h"

namespace quillmoor::testing {

bool CanMakeSymbolicLinks() {
  static const bool can = [] {
    const TempDir dir;
    std::error_code error;
    std::filesystem::create_symlink(dir.path() / "target", dir.path() / "link", error);
    return !error;
  }();
  return can;
}

}  // namespace quillmoor::testing
