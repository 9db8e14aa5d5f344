// What a file system still has room for, counted as it allocates: whole blocks (clusters on
// FAT) per file and folder, and one file-system entry (inode) each.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace quillmoor {

struct FreeSpace {
  static constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

  std::int64_t bytes = kUnlimited;    // free to the user
  std::int64_t blockSize = 1;         // the unit in which files take room
  std::int64_t entries = kUnlimited;  // files and folders that may still be made

  // Whether new files of the sizes given, and newFolders new folders, fit.
  bool HasRoomFor(const std::vector<std::int64_t>& fileSizes, std::int64_t newFolders) const;
};

}  // namespace quillmoor
