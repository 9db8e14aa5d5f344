// Which folder a path leads to, so that a listing following links can tell a folder it is
// already inside.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillmoor {

// A folder as the file system knows it: its device or volume, and its number there.
struct FolderIdentity {
  std::uint64_t volume;
  std::uint64_t index;
  bool operator==(const FolderIdentity&) const = default;
};

// The folder path leads to, following symbolic links; nothing when it is not a folder, which
// includes a link that leads nowhere.
std::optional<FolderIdentity> FolderAt(const std::string& path);

}  // namespace quillmoor
