// The main window as a native Win32 window: the controls of the main window's layout, made as
// Win32 controls. What its buttons do is MainWindowActions'; the window gives it the fields,
// boxes, dialogs and bar. While an operation runs, the window takes no input but repaints and
// can be moved.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "frontend/MainWindowActions.h"
#include "io/FileSystem.h"
#include "win32/DialogWindow.h"
#include "win32/Dialogs.h"
#include "win32/FileNameField.h"

namespace quillmoor::win32 {

// The control id of each control of the layout, for GetDlgItem: 100 and its place in it.
constexpr int ControlIdOf(MainWindowControl control) { return 100 + static_cast<int>(control); }

enum ControlId : int {
  kSourceLabel = ControlIdOf(MainWindowControl::SourceLabel),
  kSelectFolder = ControlIdOf(MainWindowControl::SelectFolder),
  kSourceField = ControlIdOf(MainWindowControl::SourceField),
  kWadLabel = ControlIdOf(MainWindowControl::WadLabel),
  kChangeGamePath = ControlIdOf(MainWindowControl::ChangeGamePath),
  kWadField = ControlIdOf(MainWindowControl::WadField),
  kCreateWad = ControlIdOf(MainWindowControl::CreateWad),
  kUpdateWad = ControlIdOf(MainWindowControl::UpdateWad),
  kExtractWad = ControlIdOf(MainWindowControl::ExtractWad),
  kUpdateTrackWads = ControlIdOf(MainWindowControl::UpdateTrackWads),
  kProgressBar = ControlIdOf(MainWindowControl::ProgressBar),
  // The browse buttons of the two fields.
  kSourceBrowse = 150,
  kWadBrowse,
  // Not a control: the command Ctrl+Z sends, to undo the last change.
  kUndoLastChange,
};

class MainWindow final : public DialogWindow, public MainWindowActions {
 public:
  MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
             InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
             DpiScale scale, HFONT font);
  ~MainWindow() override;

  // The folder picker's OK: folder replaces the text of the source field.
  void SetSourceFieldText(const std::string& folder);

  const FileNameField& SourceField() const { return sourceField_; }
  const FileNameField& WadField() const { return wadField_; }

  std::string SourceText() override;
  std::string WadText() override;
  bool Confirm(const std::string& question) override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;

 private:
  void SetSourceText(const std::string& text) override;
  void SetSourceDialogFolder(const std::string& folder) override;
  void SetWadDialogFolder(const std::string& folder) override;
  void SetWadText(const std::string& text) override;
  void ShowMessageBox(const std::string& text) override;
  void ShowErrorBox(const std::string& text) override;
  std::optional<std::string> ShowSaveDialog(const SaveDialogSettings& settings) override;
  void SetBar(int position, const std::string& text) override;
  void SetBarPosition(int position) override;
  void RefreshDuringRun() override;
  void SetInputEnabled(bool enabled) override;
  void RememberFocus() override;
  void RestoreFocus() override;
  std::string CurrentFolder() override;

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void MakeControl(const ControlDescription& description);
  void AddButton(const ControlDescription& description);
  void Command(int id);

  Dialogs& dialogs_;
  FileNameField sourceField_;
  FileNameField wadField_;
  std::vector<HICON> pictures_;
  HWND progressBar_ = nullptr;
  HWND focusBeforeRun_ = nullptr;
};

}  // namespace quillmoor::win32
