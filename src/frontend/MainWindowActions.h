// What a main window does, once for every toolkit: the steps of each click in their order,
// what is stored when, a run that takes no input until it ends, a failure shown in the error
// box with the bar left empty, and the Host the operations talk to. A toolkit's main window
// derives from it and gives what only the toolkit can: its fields, boxes, dialogs and bar.
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "frontend/FolderWindowActions.h"
#include "frontend/MainWindowLayout.h"
#include "io/FileSystem.h"
#include "operations/Clock.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StartupFill.h"

namespace quillmoor {

class MainWindowActions : public Host, public StartupFields {
 public:
  MainWindowActions(const MainWindowActions&) = delete;
  MainWindowActions& operator=(const MainWindowActions&) = delete;

  // The start-up fill; a value stored with a wrong type stops it with the error box.
  void FillFieldsAtStartup();
  // The folder picker and the game-folder window, which "Select a Folder" and
  // "Change GP4 Path" show; each takes no input while an operation runs.
  void SetSecondaryWindows(FolderWindowActions* folderPicker,
                           FolderWindowActions* gameFolderWindow);
  // A click on one of the window's buttons: "Select a Folder" and "Change GP4 Path" open
  // their windows at the source folder in use and at the game folder, the other four run
  // their operations. Other controls do nothing.
  void Press(MainWindowControl button);
  // After the source field's dialog has closed, confirmed or cancelled: the next browse
  // starts in the folder of the file the field names, if it names one.
  void SourceBrowsed();

  // The four operation buttons, as Press runs them.
  void CreateWad();
  void ExtractWad();
  void UpdateWad();
  void UpdateTrackWads();
  // Ctrl+Z: after the user confirms, the wads the last run replaced get their previous
  // versions back.
  void UndoLastChange();

  // The game-folder window's OK: a folder that holds "GP4.exe" is remembered as the game
  // folder and the start-up fill runs again; any other folder changes nothing.
  void UseGameFolder(const std::string& folder);

  // The folder a folder tree opens at: for the folder picker the source folder (the folder
  // the source field names, or the folder of the file it names), for the game-folder window
  // the game folder; empty when there is none.
  std::string SourceFolderInUse();
  std::string GameFolderInUse();

  // Whether an operation is running.
  bool Running() const { return running_; }

  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

  // Host, the same in every toolkit. A refusal empties the bar before its box shows. The bar
  // shows during a run at the first step and then at most once a refresh interval, since
  // refreshing at each of thousands of steps would cost more than the work.
  void ShowMessage(const std::string& text) final;
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) final;
  void ShowProgress(int position, const std::string& text) final;
  void ShowProgressPosition(int position) final;
  SettingsValues& Settings() final { return store_; }
  Clock& TimeSource() final { return clock_; }
  std::string GamePath() final;

 protected:
  MainWindowActions(SettingsStore& store, ProgramState& state, InstallationRecordReader readRecord,
                    Clock& clock, FileSystem& fileSystem);
  ~MainWindowActions() override = default;

 private:
  // What the toolkit gives, besides the fields' texts, the question, the repaint and the
  // decimal separator that Host asks for.
  // A refusal's box: the program's title as caption, the text, no icon, one OK; waits for
  // the user.
  virtual void ShowMessageBox(const std::string& text) = 0;
  // The error box: the same with an error icon; the text alone, without details.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // The save dialog as settings describe it; the name chosen, nothing when cancelled.
  virtual std::optional<std::string> ShowSaveDialog(const SaveDialogSettings& settings) = 0;
  // The progress bar's position (a percentage, kept within 0 to 100) and text. During a run
  // they show at the next refresh, or when the run ends.
  virtual void SetBar(int position, const std::string& text) = 0;
  virtual void SetBarPosition(int position) = 0;
  // In the middle of a run: paints the bar as it is now and handles the window's waiting
  // events, so that it repaints and follows moves. The input among them reaches only disabled
  // controls, which drop it.
  virtual void RefreshDuringRun() = 0;
  // Whether the window's controls that could start or change anything take input.
  virtual void SetInputEnabled(bool enabled) = 0;
  // The control that has the focus is remembered before a run and has it again after.
  virtual void RememberFocus() = 0;
  virtual void RestoreFocus() = 0;
  // The process's working folder, which the start-up fill starts from.
  virtual std::string CurrentFolder() = 0;

  void OpenFolderPicker();
  void OpenGameFolderWindow();
  // The update of the wad field's wad, or of the track wads in track mode.
  void UpdateWads();
  // Runs an operation with the window and its secondary windows taking no input; a refusal
  // or a failure leaves the bar empty at 0, a failure also shows the error box. An action
  // that still reaches the window during a run, such as a shortcut key, is dropped.
  void Run(const std::function<void()>& operation);
  void TakeInput(bool enabled);
  // Runs a step outside any operation; a failure shows the error box.
  void Guarded(const std::function<void()>& work);
  void ShowFailure(const std::exception& error);
  void RefreshUnlessJustDone();

  SettingsStore& store_;
  ProgramState& state_;
  InstallationRecordReader readRecord_;
  Clock& clock_;
  FileSystem& fileSystem_;
  SaveDialogSettings saveDialog_;
  FolderWindowActions* folderPicker_ = nullptr;
  FolderWindowActions* gameFolderWindow_ = nullptr;
  bool running_ = false;
  std::optional<Clock::TimePoint> lastRefresh_;
};

}  // namespace quillmoor
