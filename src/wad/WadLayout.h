// Whether a wad comes out of a rewrite byte for byte as it is.
#pragma once

#include <span>

#include "io/FileSystem.h"
#include "wad/WadFormat.h"

namespace quillmoor {

// Whether writing records back into a new file with each block at its own offset, as WriteWad
// does, gives the very bytes of wad, whose own directory they are: so when every byte outside
// the count, the directory and the blocks is zero, and no byte lies past the last block.
bool RewriteGivesSameBytes(std::span<const WadDirectoryEntry> records, File& wad);

}  // namespace quillmoor
