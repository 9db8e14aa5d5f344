// The main window: the source field, the wad field, the operation buttons and the progress
// bar. Its buttons run the operations through MainWindowActions, which reads its fields and
// shows messages and progress through it.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "frontend/MainWindowActions.h"
#include "frontend/MainWindowControls.h"
#include "gui/Dialogs.h"
#include "gui/FileNameEdit.h"
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
  void SetSecondaryWindows(QWidget* folderPicker, QWidget* gameFolderWindow);
  // Shows the folder picker without blocking.
  void ChooseSourceFolder();
  // The game-folder window's OK: a folder that holds "GP4.exe" becomes the game folder and
  // the start-up fill runs again.
  void UseGameFolder(const std::string& folder);
  // Shows the game-folder window without blocking.
  void OpenGameFolderWindow();
  // Replaces the text of the source field.
  void SetSourceFieldText(const QString& text);
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

  std::string SourceText() override;
  std::string WadText() override;
  void ShowMessage(const std::string& text) override;
  void ShowErrorBox(const std::string& text, const std::string& fileName) override;
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) override;
  void ShowProgress(int position, const std::string& text) override;
  void ShowProgressPosition(int position) override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;
  void SetInputEnabled(bool enabled) override;

  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;

  void BuildControls();

  Dialogs& dialogs_;
  MainWindowActions actions_;
  SaveDialogSettings saveDialog_;
  QWidget* folderPicker_ = nullptr;
  QWidget* gameFolderWindow_ = nullptr;

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
