#include "wad/WadLayout.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace quillmoor {

namespace {

// Whether the bytes of wad from from up to to are all zero, read a slice at a time.
bool ZerosBetween(File& wad, std::int64_t from, std::int64_t to) {
  constexpr std::int64_t kSlice = 1 << 16;
  std::string bytes;
  for (std::int64_t position = from; position < to; position += kSlice) {
    bytes.resize(static_cast<std::size_t>(std::min(kSlice, to - position)));
    wad.ReadAt(static_cast<std::int32_t>(position), bytes);
    if (bytes.find_first_not_of('\0') != std::string::npos) return false;
  }
  return true;
}

}  // namespace

bool RewriteGivesSameBytes(std::span<const WadDirectoryEntry> records, File& wad) {
  std::vector<std::pair<std::int64_t, std::int64_t>> blocks;
  for (const WadDirectoryEntry& record : records) {
    if (record.Size > 0)
      blocks.emplace_back(record.Offset, std::int64_t{record.Offset} + record.Size);
  }
  std::sort(blocks.begin(), blocks.end());
  std::int64_t covered = DirectoryEnd(static_cast<std::int64_t>(records.size()));
  for (const auto& [start, end] : blocks) {
    if (start > covered && !ZerosBetween(wad, covered, start)) return false;
    covered = std::max(covered, end);
  }
  return wad.Length() == covered;
}

}  // namespace quillmoor
