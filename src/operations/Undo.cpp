#include "operations/Undo.h"

#include <memory>

#include "io/Commit.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/StatusText.h"
#include "operations/TrackNames.h"
#include "operations/TrackUpdateRecord.h"
#include "paths/FileExists.h"
#include "paths/PathIgnoringCase.h"
#include "paths/PathText.h"

namespace quillmoor {

void UndoWads(const std::vector<std::string>& wadNames, Host& host, FileSystem& fileSystem,
              std::chrono::milliseconds lockWait) {
  const Clock::TimePoint startTime = host.TimeSource().Now();
  if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, wadNames)) {
    host.ShowMessage(*refusal);
    return;
  }
  // The wads are found as an update finds them, without regard to case.
  std::vector<std::string> wads;
  for (const std::string& name : wadNames) wads.push_back(PathIgnoringCase(name));
  std::vector<std::unique_ptr<File>> locks;
  for (const std::string& wad : wads) {
    locks.push_back(fileSystem.OpenExclusive(wad, lockWait));
    if (!locks.back()) {
      host.ShowMessage(kWadBusyMessage + wad);
      return;
    }
  }
  for (const std::string& wad : wads) {
    if (!FileExists(fileSystem.BackupName(wad))) {
      host.ShowMessage(kNoBackupMessage + wad);
      return;
    }
  }
  Commit commit(fileSystem);
  for (const std::string& wad : wads) commit.ExchangeWithBackup(wad);
  commit.Run();
  host.ShowProgress(0, CompletionText("Undo done in ", host.TimeSource().Now() - startTime,
                                      host.DecimalSeparator()));
}

namespace {

// The undo of the track update whose record is recordFile.
void UndoRecordedTrackUpdate(const std::string& recordFile, Host& host, FileSystem& fileSystem,
                             std::chrono::milliseconds lockWait) {
  // The record changes in a commit with its wads: an unfinished one is finished first.
  if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, {recordFile})) {
    host.ShowMessage(*refusal);
    return;
  }
  const std::optional<std::vector<std::string>> wads =
      ReadTrackUpdateRecord(fileSystem, recordFile);
  if (!wads) {
    host.ShowMessage(kNoTrackUpdateMessage + fileSystem.FolderOf(recordFile));
    return;
  }
  UndoWads(*wads, host, fileSystem, lockWait);
}

}  // namespace

void UndoTrackUpdate(const std::string& gameFolder, Host& host, FileSystem& fileSystem,
                     std::chrono::milliseconds lockWait) {
  UndoRecordedTrackUpdate(TrackUpdateRecordFile(fileSystem, TrackWadPaths(gameFolder).front()),
                          host, fileSystem, lockWait);
}

void UndoLastChange(Host& host, const ProgramState& state, FileSystem& fileSystem) {
  const std::vector<std::string>& wads = state.ReplacedWads;
  if (wads.empty()) {
    host.ShowMessage(kNothingToUndoMessage);
    return;
  }
  const std::string what = wads.size() == 1 ? FileNamePart(wads.front())
                                            : "the " + std::to_string(wads.size()) + " track wads";
  if (!host.Confirm("Put back the previous version of " + what + "?")) return;
  if (!state.TrackUpdateRecord.empty()) {
    UndoRecordedTrackUpdate(state.TrackUpdateRecord, host, fileSystem, kWadLockWait);
  } else {
    UndoWads(wads, host, fileSystem);
  }
}

bool KeepsBackups(SettingsValues& settings) {
  return settings.Read(kKeepBackupSetting, "1") != "0";
}

}  // namespace quillmoor
