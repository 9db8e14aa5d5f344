// Undo: the wads a run replaced take back their previous versions, which the run kept as
// backups, and the versions they had become the backups; so a second undo redoes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "operations/WadLock.h"

namespace quillmoor {

// Exchanges each of wads (found without regard to case) with its backup through host, all or
// none, in one commit (io/Commit.h): each wad is taken under the lock an update takes (waiting
// at most lockWait), and every backup must exist before the commit starts. Refusals are
// shown through host; the completion text is "Undo done in " + seconds + "s".
void UndoWads(const std::vector<std::string>& wads, Host& host, FileSystem& fileSystem,
              std::chrono::milliseconds lockWait = kWadLockWait);

// undo-tracks: the wads that the last track update in gameFolder replaced, as the record of
// that run names them (operations/TrackUpdateRecord.h), take back their previous versions
// (UndoWads). Refused when no such record is there.
void UndoTrackUpdate(const std::string& gameFolder, Host& host, FileSystem& fileSystem,
                     std::chrono::milliseconds lockWait = kWadLockWait);

// The window's undo: after the user confirms, the wads the last creation or update of this
// program replaced (state.ReplacedWads; for a track update, as its record names them) take
// back their previous versions. Refused when that run kept none.
void UndoLastChange(Host& host, const ProgramState& state, FileSystem& fileSystem);

// Whether the window's runs keep the previous version of each wad they replace: the setting
// "KeepBackup", a number, 1 when it isn't stored; 0 keeps none.
bool KeepsBackups(SettingsValues& settings);

}  // namespace quillmoor
