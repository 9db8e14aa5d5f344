// "Create wad": every file below the source folder packed into a new wad, named by its path
// below that folder, the blocks one after the other behind the directory in listing order.
#pragma once

#include <chrono>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "operations/WadLock.h"

namespace quillmoor {

struct CreationOptions {
  // How long to wait for another run that holds the wad to be replaced.
  std::chrono::milliseconds lockWait = kWadLockWait;
  // A replaced wad keeps its previous version as its backup.
  bool keepBackup = true;
};

// Runs one creation through host. Input/output failures end it with an IoError and leave no
// wad behind; refusals are shown through the host. A new wad's name is locked until the wad is
// in place (waiting at most lockWait for another creation of it). An existing wad of the chosen
// name is replaced as an update replaces it: under its lock (waiting at most lockWait for another
// run that holds it), and refused when this user may not write it; state.ReplacedWads names it
// afterwards when its previous version was kept.
void CreateWad(Host& host, ProgramState& state, FileSystem& fileSystem,
               const CreationOptions& options = {});

}  // namespace quillmoor
