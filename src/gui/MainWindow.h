// The main window: the source field, the wad field, the operation buttons and the progress
// bar. Its buttons and its secondary windows' OK run through MainWindowActions, which the
// window serves with its fields, boxes, dialogs and bar. While an operation runs, the window
// and its secondary windows take no input that could start or change anything, but go on
// repainting and can be moved.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "frontend/MainWindowActions.h"
#include "frontend/MainWindowControls.h"
#include "gui/Dialogs.h"
#include "gui/FileNameEdit.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
#include "gui/TextProgressBar.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"

namespace quillmoor {

// The save dialog shared by extraction and creation: its title is fixed, its file name and
// filter are set before each showing and kept afterwards.
struct SaveDialogSettings {
  QString title = QStringLiteral("Please choose a folder");
  QString filter = QStringLiteral("folder to create|*.*");
  QString fileName;
};

class MainWindow final : public QWidget, public MainWindowControls {
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
  // The game-folder window's OK: a folder that holds the game becomes the game folder.
  void UseGameFolder(const QString& folder);
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
  void ShowErrorBox(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) override;
  void ShowProgress(int position, const std::string& text) override;
  void ShowProgressPosition(int position) override;
  void RefreshDuringRun() override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;
  void SetInputEnabled(bool enabled) override;

  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

 protected:
  // Closing the window while an operation runs is refused: the run would go on unseen.
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;

  void BuildControls();
  // Ctrl+Z, and "Undo last change" in the wad field's context menu.
  void OfferUndo();

  Dialogs& dialogs_;
  MainWindowActions actions_;
  SaveDialogSettings saveDialog_;
  FolderPicker* folderPicker_ = nullptr;
  GameFolderWindow* gameFolderWindow_ = nullptr;
  // The control that had the focus when the running operation started.
  QPointer<QWidget> focusBeforeRun_;

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
