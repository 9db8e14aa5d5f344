// "Create wad": every file below the source folder packed into a new wad, named by its path
// below that folder, the blocks one after the other behind the directory in listing order.
#pragma once

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"

namespace quillmoor {

// Runs one creation through host. Input/output failures end it with an IoError and leave no
// wad behind; refusals are shown through the host.
void CreateWad(Host& host, ProgramState& state, FileSystem& fileSystem);

}  // namespace quillmoor
