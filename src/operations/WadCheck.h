// A wad read through without changing it: what its directory and blocks hold that the game or
// Quillmoor can't use, and what is merely unusual.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "wad/WadFormat.h"

namespace quillmoor {

enum class WadFindingKind {
  // The wad is damaged by these:
  BlockOutsideFile,     // a negative offset or size, or a block past the end of the file
  BlockOverDirectory,   // a block with data that starts inside the count or the directory
  NameWindowsCantHold,  // the game, on Windows, can't have a file of that name
  // These are allowed by the format:
  DuplicateName,  // the same name, case ignored, as an earlier entry (other)
  Gap,            // bytes no block covers, behind the directory
  Overlap,        // a block that starts inside an earlier-placed one (other)
};

struct WadFinding {
  WadFindingKind kind;
  std::size_t entry = 0;      // the entry concerned (not for a gap)
  std::size_t other = 0;      // the entry it meets, for a duplicate name or an overlap
  std::int64_t position = 0;  // a gap's first byte
  std::int64_t length = 0;    // a gap's length
};

struct WadHealth {
  std::vector<WadDirectoryEntry> entries;
  std::int64_t fileLength = 0;
  std::int64_t dataBytes = 0;        // the sizes of the blocks inside the file, added up
  std::vector<WadFinding> findings;  // the entries' in directory order, then gaps and overlaps
                                     // in file order

  bool Damaged() const;
  std::size_t CountOf(WadFindingKind kind) const;
};

// Reads the directory and every block that lies inside the file. A directory that can't be
// read (a negative count, or one that passes the end of the file) fails with ReadBeyondEnd.
WadHealth CheckWad(const std::string& wadName, FileSystem& fileSystem);

}  // namespace quillmoor
