#include "operations/Undo.h"

#include <memory>

#include "operations/Messages.h"
#include "operations/StatusText.h"
#include "paths/FileExists.h"
#include "paths/PathIgnoringCase.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

// Exchanges every wad with its backup; when one fails, the ones done are exchanged back
// before the failure goes on.
void ExchangeAll(const std::vector<std::string>& wads, FileSystem& fileSystem) {
  std::size_t done = 0;
  try {
    for (; done < wads.size(); ++done) fileSystem.ExchangeWithBackup(wads[done]);
  } catch (...) {
    while (done > 0) {
      try {
        fileSystem.ExchangeWithBackup(wads[--done]);
      } catch (...) {
        // The first failure is the one to report; this wad keeps the other version.
      }
    }
    throw;
  }
}

}  // namespace

void UndoWads(const std::vector<std::string>& wadNames, Host& host, FileSystem& fileSystem,
              std::chrono::milliseconds lockWait) {
  const Clock::TimePoint startTime = host.TimeSource().Now();
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
  ExchangeAll(wads, fileSystem);
  host.ShowProgress(0, CompletionText("Undo done in ", host.TimeSource().Now() - startTime,
                                      host.DecimalSeparator()));
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
  UndoWads(wads, host, fileSystem);
}

bool KeepsBackups(SettingsValues& settings) {
  return settings.Read(kKeepBackupSetting, "1") != "0";
}

}  // namespace quillmoor
