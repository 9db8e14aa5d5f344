// Reading a wad's directory, checked against the file before anything is allocated, and a
// read-only reader that hands out one entry's data at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "wad/WadFormat.h"

namespace quillmoor {

// The count and the directory of an open wad of fileLength bytes. A negative count, or a
// directory that reaches past the end of the file, is ReadBeyondEnd, found before the
// directory's memory is taken.
std::vector<WadDirectoryEntry> ReadWadDirectory(File& wad, const std::string& fileName,
                                                std::int64_t fileLength);

// Whether the entry's block lies inside a file of fileLength bytes: offset and size not
// negative, and the block not reaching past the end. An empty block holds no data and may stand
// at any offset that isn't negative.
bool BlockInside(const WadDirectoryEntry& entry, std::int64_t fileLength);

// Throws ReadBeyondEnd unless the entry's block lies inside a file of fileLength bytes.
void CheckBlockInside(const WadDirectoryEntry& entry, std::int64_t fileLength,
                      const std::string& fileName);

// Whether records can be written as a wad of count entries that reads back as written: no
// offset is negative and no block with data starts inside the count and the directory, where
// it would overwrite them.
bool BlocksClearOfDirectory(std::span<const WadDirectoryEntry> records, std::int64_t count);

// A wad opened for reading only: its directory, and the data of one entry at a time.
class WadReader {
 public:
  WadReader(const std::string& fileName, FileSystem& fileSystem);

  const std::vector<WadDirectoryEntry>& Entries() const { return entries_; }
  std::int64_t FileLength() const { return fileLength_; }

  // Replaces into with the entry's data, checked against the file first.
  void ReadBlock(const WadDirectoryEntry& entry, std::string& into);
  void Close();

 private:
  std::string fileName_;
  std::unique_ptr<File> file_;
  std::int64_t fileLength_;
  std::vector<WadDirectoryEntry> entries_;
};

}  // namespace quillmoor
