#include "wad/WadFormat.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillmoor {

std::string EntryName(const WadDirectoryEntry& entry) {
  const char* end = std::find(entry.Name, entry.Name + kNameSize, '\0');
  return std::string(entry.Name, end);
}

void SetEntryName(WadDirectoryEntry& entry, std::string_view name) {
  if (name.size() > kNameSize) throw std::length_error("entry name longer than 128 bytes");
  std::memset(entry.Name, 0, kNameSize);
  std::memcpy(entry.Name, name.data(), name.size());
}

}  // namespace quillmoor
