// The main window: the source field, the wad field, the operation buttons and the progress
// bar. It is the operations' host: they read its fields, show their messages and progress
// through it, and find the settings, the clock and the game folder here. While an operation
// runs, the window and its secondary windows take no input that could start or change
// anything, but go on repainting and can be moved.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "gui/Dialogs.h"
#include "gui/FileNameEdit.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
#include "gui/TextProgressBar.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StartupFill.h"

namespace quillmoor {

// The save dialog shared by extraction and creation: its title is fixed, its file name and
// filter are set before each showing and kept afterwards.
struct SaveDialogSettings {
  QString title = QStringLiteral("Please choose a folder");
  QString filter = QStringLiteral("folder to create|*.*");
  QString fileName;
};

class MainWindow final : public QWidget, public Host, private StartupFields {
  Q_OBJECT

 public:
  MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
             InstallationRecordReader readRecord, Clock& clock, QWidget* parent = nullptr);

  // The start-up fill, as when the window is created.
  void FillFieldsAtStartup();
  // The folder picker and the game-folder window, which "Select a Folder" and
  // "Change GP4 Path" show.
  void SetSecondaryWindows(FolderPicker* folderPicker, GameFolderWindow* gameFolderWindow);
  // Shows the folder picker without blocking, at the source folder in use.
  void ChooseSourceFolder();
  // Shows the game-folder window without blocking, at the game folder in use.
  void OpenGameFolderWindow();
  // Replaces the text of the source field.
  void SetSourceFieldText(const QString& text);
  // Replaces the text of the wad field.
  void SetWadFieldText(const QString& text);
  // After the source field's dialog: its next browse starts in the folder of the file named.
  void ChooseSourceFiles();
  // "Create wad".
  void CreateWad();
  // "Extract wad".
  void ExtractWad();
  // "Update wad": the wad of the wad field.
  void UpdateWad();
  // "Update track wads": the 17 track wads of the game folder.
  void UpdateTrackWads();
  // Ctrl+Z and "Undo last change": the wads the last run replaced get their previous versions
  // back, after the user confirms.
  void UndoLastChange();

  std::string SourceText() override;
  std::string WadText() override;
  void ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& question) override;
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) override;
  void ShowProgress(int position, const std::string& text) override;
  void ShowProgressPosition(int position) override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;
  SettingsValues& Settings() override;
  Clock& TimeSource() override;
  std::string GamePath() override;

  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

 protected:
  // Closing the window while an operation runs is refused: the run would go on unseen.
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;

  // Runs a step of the window's work; a failure ends it with the error box.
  void Guarded(const std::function<void()>& work);
  // Runs an operation with the input paused. A run that ends with the error box, like one
  // that ends with a refusal, leaves the progress bar empty at 0.
  void RunOperation(const std::function<void()>& operation);
  // Enables or disables every control that takes input, here and in the secondary windows.
  void SetTakingInput(bool taking);
  // Shows the progress bar as it is now and lets the window repaint and follow moves in the
  // middle of an operation, unless it did so a moment ago (the bar is then painted at the
  // next refresh or when the run ends). The input that comes meanwhile reaches only disabled
  // controls, which drop it.
  void RefreshDuringRun();
  void ClearProgress();
  // The folder of the source field: the folder it names, or the folder of the file it names;
  // empty when it names neither.
  QString SourceFolderInUse() const;

  void BuildControls();
  // Ctrl+Z, and "Undo last change" in the wad field's context menu.
  void OfferUndo();

  Dialogs& dialogs_;
  SettingsStore& store_;
  ProgramState& state_;
  InstallationRecordReader readRecord_;
  Clock& clock_;
  SaveDialogSettings saveDialog_;
  FolderPicker* folderPicker_ = nullptr;
  GameFolderWindow* gameFolderWindow_ = nullptr;
  bool operationRunning_ = false;
  QElapsedTimer lastRefresh_;

  QLabel* sourceLabel_;
  QPushButton* selectFolder_;
  FileNameEdit* sourceField_;
  QLabel* wadLabel_;
  QPushButton* changeGamePathButton_;
  FileNameEdit* wadField_;
  QPushButton* createWadButton_;
  QPushButton* updateWadButton_;
  QPushButton* extractWadButton_;
  QPushButton* updateTrackWadsButton_;
  TextProgressBar* progressBar_;
};

}  // namespace quillmoor
