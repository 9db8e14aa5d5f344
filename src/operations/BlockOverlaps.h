// Whether a changed wad's blocks, where they overlap, still give every entry its own bytes.
#pragma once

#include "io/FileSystem.h"
#include "wad/WadImage.h"

namespace quillmoor {

// Whether every entry of image, written at its offset in directory order (the later entry's
// bytes standing where two blocks overlap), reads back exactly the bytes its data holds: its
// old bytes for an entry the run didn't touch, its source file's for one it replaced or added.
// Blocks that overlap and moved together, such as two entries sharing one block, agree
// without a look at their bytes; any other overlap is compared byte for byte.
bool EveryEntryKeepsItsBytes(const WadImage& image, FileSystem& fileSystem);

}  // namespace quillmoor
