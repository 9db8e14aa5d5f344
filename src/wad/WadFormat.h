// The wad file: a 32-bit entry count, the directory of 136-byte records right behind it, then
// the entries' data blocks wherever the records say. Integers are signed 32-bit little-endian.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace quillmoor {

inline constexpr std::int64_t kCountSize = 4;
inline constexpr std::int64_t kRecordSize = 136;
inline constexpr std::size_t kNameSize = 128;
// Offsets and sizes are signed 32-bit, so no wad can be longer than this.
inline constexpr std::int64_t kLargestWadSize = 2'147'483'647;

// One directory record exactly as the file holds it. The name is the entry's path inside the
// wad in the game's code page, folders separated by backslashes, NUL-padded; a name of 128
// bytes fills the field and has no NUL.
struct WadDirectoryEntry {
  char Name[kNameSize];
  std::int32_t Offset;
  std::int32_t Size;
};

static_assert(sizeof(WadDirectoryEntry) == kRecordSize, "a record is 136 bytes, no padding");
static_assert(std::is_trivially_copyable_v<WadDirectoryEntry>);
static_assert(std::endian::native == std::endian::little,
              "records are read and written as they lie in memory: little-endian hosts only");

// The first byte behind the directory of a wad of count entries.
constexpr std::int64_t DirectoryEnd(std::int64_t count) { return kCountSize + kRecordSize * count; }

// The entry's name: the bytes of its field up to the first NUL, all 128 when there is none.
std::string EntryName(const WadDirectoryEntry& entry);

// Puts name into the field from its first byte on and NULs behind it. A name longer than the
// field is a caller's fault (std::length_error): it would be cut, and the entry lost.
void SetEntryName(WadDirectoryEntry& entry, std::string_view name);

}  // namespace quillmoor
