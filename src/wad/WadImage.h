// The in-memory copy of one whole wad, and its load from and write to a file.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "io/FileSystem.h"
#include "wad/WadFormat.h"

namespace quillmoor {

// Data that stays where it lies in a file until the wad is written: an entry of a loaded wad,
// or a source file. So an update or a creation needs no memory for the data it moves.
struct FileRange {
  std::string file;
  std::int32_t position = 0;
};

// An entry's data: bytes held in memory, or the place in a file that holds them.
using BlockData = std::variant<std::string, FileRange>;

// After a load, Entries and Data both have Count elements and Data[i] gives Entries[i].Size
// bytes. Growing either array adds zeroed records and empty data.
struct WadImage {
  std::int32_t Count = 0;
  std::vector<WadDirectoryEntry> Entries;
  std::vector<BlockData> Data;
};

// Replaces the image with the wad in fileName: count, directory, and each block as the range
// of the file that holds it. The wad is opened for reading and writing, since the image is
// loaded to be written back. The directory and every block are checked against the file's
// length; on failure the image is left as it was.
void LoadWad(WadImage& image, const std::string& fileName, FileSystem& fileSystem);

// Writes n as the count, records 0 to n - 1 as they are held, then each of their blocks at its
// own offset in directory order: a gap reads as zeros, where blocks overlap the later entry's
// bytes stand, and an offset inside the directory overwrites it. Data in a file is copied from
// there. The new file replaces fileName only once it is complete; on failure fileName is left
// as it was.
void RebuildWad(const WadImage& image, const std::string& fileName, std::int32_t n,
                FileSystem& fileSystem);

}  // namespace quillmoor
