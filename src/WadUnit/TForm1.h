// The main window: the source field, the wad field, the operation buttons and the progress
// bar. It is the operations' host: they read its fields, show their messages and progress
// through it, and find the settings, the clock and the game folder here.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <exception>
#include <functional>

#include "WadUnit/Dialogs.h"
#include "WadUnit/FileNameEdit.h"
#include "WadUnit/TextProgressBar.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StartupFill.h"
#include "wad/Host.h"
#include "wad/ProgramState.h"

namespace quillmoor {

// The save dialog shared by extraction and creation: its title is fixed, its file name and
// filter are set before each showing and kept afterwards.
struct SaveDialogSettings {
  QString title = QStringLiteral("Please choose a folder");
  QString filter = QStringLiteral("folder to create|*.*");
  QString fileName;
};

class TForm1 final : public QWidget, public Host, private StartupFields {
  Q_OBJECT

 public:
  TForm1(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
         InstallationRecordReader readRecord, Clock& clock, QWidget* parent = nullptr);

  // The start-up fill, as when the window is created.
  void FormCreate();
  // The folder picker and the game-folder window, which "Select a Folder" and
  // "Change GP4 Path" show.
  void SetSecondaryWindows(QWidget* folderPicker, QWidget* gameFolderWindow);
  // Shows the folder picker without blocking.
  void SelectFolderClick();
  // Shows the game-folder window without blocking.
  void SetGP4Path();
  // Replaces the text of the source field.
  void SetSourceFieldText(const QString& text);
  // After the source field's dialog: its next browse starts in the folder of the file named.
  void LMDFile1Click();
  // "Create wad".
  void LMDCreateWadClick();
  // "Extract wad".
  void ExtractClick();
  // "Update wad": the wad of the wad field.
  void Update1wad();
  // "Update track wads": the 17 track wads of the game folder.
  void UpdateWads();

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

  const SaveDialogSettings& SaveDialog1() const { return saveDialog_; }

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

  QLabel* label1_;
  QPushButton* selectFolder_;
  FileNameEdit* lmdFile1_;
  QLabel* label2_;
  QPushButton* btnGP4Path_;
  FileNameEdit* lmdFile2_;
  QPushButton* btnCreateWad_;
  QPushButton* btnUpdate1Wad_;
  QPushButton* btnExtractWad_;
  QPushButton* btnUpdateTracks_;
  TextProgressBar* progressBar_;
};

}  // namespace quillmoor
