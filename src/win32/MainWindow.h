// The main window as a native Win32 window: the source field, the wad field, the operation
// buttons and the progress bar, placed as on the Qt window. Its buttons run the operations
// through MainWindowActions; while one runs, the window takes no input but repaints and can be
// moved.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "frontend/MainWindowActions.h"
#include "frontend/MainWindowControls.h"
#include "io/FileSystem.h"
#include "win32/DialogWindow.h"
#include "win32/Dialogs.h"
#include "win32/FileNameField.h"

namespace quillmoor::win32 {

// The control ids of the main window, for GetDlgItem.
enum MainWindowControl : int {
  kSourceLabel = 100,
  kSelectFolder,
  kSourceField,
  kSourceBrowse,
  kWadLabel,
  kChangeGamePath,
  kWadField,
  kWadBrowse,
  kCreateWad,
  kUpdateWad,
  kExtractWad,
  kUpdateTrackWads,
  kProgressBar,
  // Not a control: the command Ctrl+Z sends, to undo the last change.
  kUndoLastChange,
};

// The save dialog shared by extraction and creation: its title is fixed, its file name and
// filter are set before each showing and kept afterwards.
struct SaveDialogSettings {
  std::string title = "Please choose a folder";
  std::string filter = "folder to create|*.*";
  std::string fileName;
};

// What the main window does with the two secondary windows.
class SecondaryWindow {
 public:
  virtual ~SecondaryWindow() = default;
  // Shows the window without blocking, or brings it to the front when it is open.
  virtual void Open() = 0;
  virtual HWND Handle() const = 0;
};

class MainWindow final : public DialogWindow, public MainWindowControls {
 public:
  MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
             InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
             DpiScale scale, HFONT font);
  ~MainWindow() override;

  // The start-up fill, as when the window is made.
  void FillFieldsAtStartup();
  // The folder picker and the game-folder window, which "Select a Folder" and
  // "Change GP4 Path" show.
  void SetSecondaryWindows(SecondaryWindow* folderPicker, SecondaryWindow* gameFolderWindow);
  // The folder picker's OK: folder replaces the text of the source field.
  void SetSourceFieldText(const std::string& folder);
  // The game-folder window's OK.
  void UseGameFolder(const std::string& folder);
  // The folders the folder trees open at.
  std::string SourceFolderInUse() { return actions_.SourceFolderInUse(); }
  std::string GameFolderInUse() { return actions_.GameFolderInUse(); }

  const FileNameField& SourceField() const { return sourceField_; }
  const FileNameField& WadField() const { return wadField_; }
  const SaveDialogSettings& SaveDialog() const { return saveDialog_; }

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

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void BuildControls();
  void Command(int id);

  Dialogs& dialogs_;
  MainWindowActions actions_;
  FileNameField sourceField_;
  FileNameField wadField_;
  SaveDialogSettings saveDialog_;
  SecondaryWindow* folderPicker_ = nullptr;
  SecondaryWindow* gameFolderWindow_ = nullptr;
  std::array<HICON, 4> pictures_{};
  HWND progressBar_ = nullptr;
  HWND focusBeforeRun_ = nullptr;
};

}  // namespace quillmoor::win32
