#include "cli/OperationCommands.h"

#include <utility>
#include <vector>

#include "cli/RunPlan.h"
#include "operations/Creation.h"
#include "operations/Messages.h"
#include "operations/TrackNames.h"
#include "operations/Undo.h"
#include "operations/Update.h"
#include "settings/GameFolder.h"
#include "settings/SettingsStore.h"

namespace quillmoor {

namespace {

// The game folder named with --game-folder, else as the window finds it: a chosen
// "GP4Path", then the installation record. Reads the window's settings, writes nothing.
std::string GameFolderOf(const CommandRun& run) {
  if (const std::optional<std::string> named = run.line.Value("game-folder")) return *named;
  bool found = false;
  return FindGameFolder(*SettingsStore::ForCurrentUser(), PlatformInstallationRecord(), found);
}

}  // namespace

int RunCreateCommand(const CommandRun& run) {
  const std::vector<std::string>& operands = run.line.operands;
  if (operands.size() != 2) return WrongUsage(run.streams.err, "create takes a FOLDER and a WAD");
  CliHost host({operands[0]}, "", operands[1], run.Progress());
  ProgramState state;
  CreationOptions options;
  options.keepBackup = !run.line.Has("no-backup");
  CreateWad(host, state, run.fileSystem, options);
  return Finish(host, run);
}

int RunUpdateCommand(const CommandRun& run) {
  const bool tracks = run.command == "update-tracks";
  const std::vector<std::string>& operands = run.line.operands;
  if (operands.size() < (tracks ? 1u : 2u)) {
    return WrongUsage(run.streams.err, tracks ? "update-tracks takes at least one SOURCE"
                                              : "update takes a WAD and at least one SOURCE");
  }
  // Every operand behind the wad is a source, as a shell's glob gives them: one run for all.
  std::vector<std::string> sources(operands.begin() + (tracks ? 0 : 1), operands.end());
  CliHost host(std::move(sources), tracks ? "" : operands.front(), "", run.Progress());
  ProgramState state;
  state.TrackMode = tracks;
  if (tracks) host.SetGamePath(GameFolderOf(run));
  const std::string gamePath = host.GamePath();
  RunPlan plan(tracks ? (gamePath.empty() ? std::vector<std::string>{} : TrackWadPaths(gamePath))
                      : std::vector<std::string>{operands.front()});
  UpdateOptions options;
  options.dryRun = run.line.Has("dry-run");
  options.keepBackup = !run.line.Has("no-backup");
  const bool planned = options.dryRun || run.Verbose();
  if (planned) {
    options.report = [&plan](const std::string& wad, const std::string& line) {
      plan.Add(wad, line);
    };
    options.wadReport = [&plan](const std::string& wad, bool changed) {
      plan.Changed(wad, changed);
    };
  }
  RunUpdate(host, state, run.fileSystem, options);
  ClearProgress(run);
  if (planned && host.Refusal().empty())
    plan.Print(options.dryRun ? run.streams.out : run.streams.err);
  return Finish(host, run);
}

int RunUndoCommand(const CommandRun& run) {
  const bool tracks = run.command == "undo-tracks";
  const std::vector<std::string>& operands = run.line.operands;
  if (operands.size() != (tracks ? 0u : 1u)) {
    return WrongUsage(run.streams.err,
                      tracks ? "undo-tracks takes no WAD, only --game-folder" : "undo takes a WAD");
  }
  CliHost host({}, "", "", run.Progress());
  if (tracks) {
    const std::string gameFolder = GameFolderOf(run);
    if (gameFolder.empty()) {
      host.ShowMessage(kNoGameFolderMessage);
      return Finish(host, run);
    }
    UndoTrackUpdate(gameFolder, host, run.fileSystem);
  } else {
    UndoWads(operands, host, run.fileSystem);
  }
  return Finish(host, run);
}

}  // namespace quillmoor
