// "Update wad" and "Update track wads": files from disk put into wads, each replacing the data
// of the entry it matches or added as a new entry.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "operations/WadLock.h"

namespace quillmoor {

struct UpdateOptions {
  // Reports each replacement ("replace NAME OLD_SIZE -> NEW_SIZE") and addition
  // ("add NAME SIZE") in the wad wadPath (as the run names it), per source file, names in UTF-8.
  std::function<void(const std::string& wadPath, const std::string& line)> report;
  // Reports each wad of the run, in the run's order, once it is known whether the run changes
  // its bytes (a dry run: would change them). A wad the run doesn't change is neither written
  // nor backed up.
  std::function<void(const std::string& wadPath, bool changed)> wadReport;
  // Works out every change but writes no wad.
  bool dryRun = false;
  // How long to wait for another run that holds a wad of this run.
  std::chrono::milliseconds lockWait = kWadLockWait;
  // Each replaced wad keeps its previous version as its backup.
  bool keepBackup = true;
};

// Runs one update through host: on the wad of the wad field, or, with state.TrackMode, on the
// 17 track wads of the game folder. TrackMode is off again when the run ends, however it ends.
// Input/output failures end the run with an IoError; refusals are shown through the host.
// Either every wad of the run is replaced by its updated version or none is: each is held
// locked from its load on, all are changed and checked, then written and read back, and only
// then put in place. The wads replaced are in state.ReplacedWads afterwards when their
// previous versions were kept.
void RunUpdate(Host& host, ProgramState& state, FileSystem& fileSystem,
               const UpdateOptions& options = {});

}  // namespace quillmoor
