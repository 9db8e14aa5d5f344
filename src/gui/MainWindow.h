// The main window: the source field, the wad field, the operation buttons and the progress
// bar. It is the operations' host: they read its fields, show their messages and progress
// through it, and find the settings, the clock and the game folder here.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <exception>
#include <functional>

#include "gui/Dialogs.h"
#include "gui/FileNameEdit.h"
#include "gui/TextProgressBar.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StartupFill.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"

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
  void SetSecondaryWindows(QWidget* folderPicker, QWidget* gameFolderWindow);
  // Shows the folder picker without blocking.
  void ChooseSourceFolder();
  // Shows the game-folder window without blocking.
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

  std::string SourceText() override;
  std::string WadText() override;
  void ShowMessage(const std::string& text) override;
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) override;
  void ShowProgress(int position, const std::string& text) override;
  void ShowProgressPosition(int position) override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;
  SettingsValues& Settings() override;
  Clock& TimeSource() override;
  std::string GamePath() override;

  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;

  // Runs a step of the window's work; a failure ends it with the error box.
  void Guarded(const std::function<void()>& work);
  void ShowErrorBox(const std::exception& error);

  void BuildControls();

  Dialogs& dialogs_;
  SettingsStore& store_;
  ProgramState& state_;
  InstallationRecordReader readRecord_;
  Clock& clock_;
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
