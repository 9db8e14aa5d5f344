// "Extract wad": every entry of the wad in the wad field becomes a file below a folder the
// user names in the save dialog.
#pragma once

#include "io/FileSystem.h"
#include "operations/Host.h"

namespace quillmoor {

// Runs one extraction through host. Input/output failures end it with an IoError; refusals
// are shown through the host.
void ExtractWad(Host& host, FileSystem& fileSystem);

}  // namespace quillmoor
