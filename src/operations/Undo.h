// Undo: the wads a run replaced take back their previous versions, which the run kept as
// backups, and the versions they had become the backups; so a second undo redoes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/WadLock.h"

namespace quillmoor {

// Exchanges each of wads (found without regard to case) with its backup through host, all or
// none: each wad is taken under
// the lock an update takes (waiting at most lockWait), and every backup must exist before the
// first is exchanged; a failure on the way exchanges back the ones already done. Refusals are
// shown through host; the completion text is "Undo done in " + seconds + "s".
void UndoWads(const std::vector<std::string>& wads, Host& host, FileSystem& fileSystem,
              std::chrono::milliseconds lockWait = kWadLockWait);

}  // namespace quillmoor
