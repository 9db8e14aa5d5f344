// The in-memory copy of one whole wad, and its load from and write to a file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "io/FileSystem.h"
#include "io/Replacement.h"
#include "wad/WadFormat.h"

namespace quillmoor {

// Data that stays in a source file until the wad is written: the file, named by its path, and
// where in it the data begins. So an update or a creation needs no memory for the data it moves.
struct FileRange {
  std::string file;
  std::int32_t position = 0;
};

// Data of the wad the image was loaded from, where it lies in that file (WadImage::Loaded).
struct LoadedRange {
  std::int32_t position = 0;
};

// An entry's data: bytes held in memory, or the place in a file that holds them.
using BlockData = std::variant<std::string, FileRange, LoadedRange>;

// After a load, Entries and Data both have Count elements and Data[i] gives Entries[i].Size
// bytes. Growing either array adds zeroed records and empty data.
struct WadImage {
  std::int32_t Count = 0;
  std::vector<WadDirectoryEntry> Entries;
  std::vector<BlockData> Data;
  // The wad file the image was loaded from, held open from the load until the image has been
  // written in its place, so that every block is copied from the very file that was read (and
  // a lock taken on it lasts as long).
  std::unique_ptr<File> Loaded;
};

// Replaces the image with the wad open as wad (fileName names it in errors): count, directory,
// and each block as its range in that file, which the image keeps open. The directory and
// every block are checked against the file's length; on failure the image is left as it was.
void LoadWad(WadImage& image, std::unique_ptr<File> wad, const std::string& fileName);

// Writes n as the count, records 0 to n - 1 as they are held, then each of their blocks at its
// own offset in directory order, into a new file that is to replace fileName: a gap reads as
// zeros, and where blocks overlap the later entry's bytes stand. The new file is flushed to
// the disk and its directory read back: gives it ready for a commit (io/Commit.h) when it holds the
// count and the records as meant and every block lies inside it; otherwise drops it and gives
// nothing (as for a block that overwrote the directory). Failures leave fileName as it was.
std::unique_ptr<FileReplacement> WriteWad(const WadImage& image, const std::string& fileName,
                                          std::int32_t n, FileSystem& fileSystem);

// WriteWad, and the new file put in fileName's place by a commit of its own, which keeps no
// backup. False when the directory read back was not as meant: fileName is then left as it was.
[[nodiscard]] bool RebuildWad(const WadImage& image, const std::string& fileName, std::int32_t n,
                              FileSystem& fileSystem);

}  // namespace quillmoor
