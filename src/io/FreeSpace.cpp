#include "io/FreeSpace.h"

#include <algorithm>

namespace quillmoor {

bool FreeSpace::HasRoomFor(const std::vector<std::int64_t>& fileSizes,
                           std::int64_t newFolders) const {
  const std::int64_t block = std::max<std::int64_t>(blockSize, 1);
  const auto count = static_cast<std::int64_t>(fileSizes.size());
  if (count > entries || newFolders > entries - count) return false;
  // A folder takes at least one block for its entries, as on FAT.
  if (newFolders > bytes / block) return false;
  std::int64_t needed = newFolders * block;
  for (const std::int64_t size : fileSizes) {
    const std::int64_t blocks = size / block + (size % block != 0 ? 1 : 0);
    if (blocks > (bytes - needed) / block) return false;
    needed += blocks * block;
  }
  return true;
}

}  // namespace quillmoor
