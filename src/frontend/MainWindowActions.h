// What the main window's buttons and the secondary windows' OK do, once for every toolkit:
// the steps of each click in their order, what is stored when, a run that takes no input
// until it ends, and a failure shown in the error box with the bar left empty.
#pragma once

#include <functional>
#include <string>

#include "frontend/MainWindowControls.h"
#include "io/FileSystem.h"
#include "operations/Clock.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"

namespace quillmoor {

class MainWindowActions {
 public:
  MainWindowActions(MainWindowControls& window, SettingsStore& store, ProgramState& state,
                    InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem);

  // The start-up fill; a value stored with a wrong type stops it with the error box.
  // currentFolder is the process's working folder.
  void FillFieldsAtStartup(const std::string& currentFolder);
  // After the source field's dialog has closed, confirmed or cancelled: the next browse
  // starts in the folder of the file the field names, if it names one.
  void SourceBrowsed();

  // The four operation buttons.
  void CreateWad();
  void ExtractWad();
  void UpdateWad();
  void UpdateTrackWads();
  // Ctrl+Z: after the user confirms, the wads the last run replaced get their previous
  // versions back.
  void UndoLastChange();

  // The game-folder window's OK: a folder that holds "GP4.exe" is remembered as the game
  // folder and the start-up fill runs again; any other folder changes nothing.
  void UseGameFolder(const std::string& folder, const std::string& currentFolder);

  // The folder a folder tree opens at: for the folder picker the source folder (the folder
  // the source field names, or the folder of the file it names), for the game-folder window
  // the game folder; empty when there is none.
  std::string SourceFolderInUse();
  std::string GameFolderInUse();

  // Whether an operation is running.
  bool Running() const { return running_; }

 private:
  // The update of the wad field's wad, or of the track wads in track mode.
  void UpdateWads(Host& host);
  // Runs an operation with the window taking no input; a refusal or a failure leaves the bar
  // empty at 0, a failure also shows the error box. An action that still reaches the window
  // during a run, such as a shortcut key, is dropped.
  void Run(const std::function<void(Host&)>& operation);
  // Runs a step outside any operation; a failure shows the error box.
  void Guarded(const std::function<void()>& work);
  void ShowFailure(const std::exception& error);

  MainWindowControls& window_;
  SettingsStore& store_;
  ProgramState& state_;
  InstallationRecordReader readRecord_;
  Clock& clock_;
  FileSystem& fileSystem_;
  bool running_ = false;
};

}  // namespace quillmoor
