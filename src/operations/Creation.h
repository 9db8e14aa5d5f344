// "Create wad": every file below the source folder packed into a new wad, named by its path
// below that folder, the blocks one after the other behind the directory in listing order.
#pragma once

#include <chrono>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "operations/WadLock.h"

namespace quillmoor {

// Runs one creation through host. Input/output failures end it with an IoError and leave no
// wad behind; refusals are shown through the host. An existing wad of the chosen name is
// replaced as an update replaces it: under its lock (waiting at most lockWait for another run
// that holds it), and refused when this user may not write it.
void CreateWad(Host& host, ProgramState& state, FileSystem& fileSystem,
               std::chrono::milliseconds lockWait = kWadLockWait);

}  // namespace quillmoor
