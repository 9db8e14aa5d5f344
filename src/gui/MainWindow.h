// The main window in Qt: the controls of the main window's layout, made as Qt widgets. What
// its buttons and its secondary windows' OK do is MainWindowActions'; the window gives it the
// fields, boxes, dialogs and bar. While an operation runs, the window and its secondary
// windows take no input that could start or change anything, but go on repainting and can be
// moved.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "frontend/MainWindowActions.h"
#include "gui/Dialogs.h"
#include "gui/FileNameEdit.h"
#include "gui/TextProgressBar.h"

namespace quillmoor {

class MainWindow final : public QWidget, public MainWindowActions {
  Q_OBJECT

 public:
  MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
             InstallationRecordReader readRecord, Clock& clock, QWidget* parent = nullptr);

  void SetSourceFieldText(const QString& text);
  void SetWadFieldText(const QString& text);

  std::string SourceText() override;
  std::string WadText() override;
  bool Confirm(const std::string& question) override;
  void RepaintNow() override;
  std::string DecimalSeparator() override;

 protected:
  // Closing the window while an operation runs is refused: the run would go on unseen.
  void closeEvent(QCloseEvent* event) override;

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

  QWidget* MakeControl(const ControlDescription& description);
  void ConnectClicks();
  // Ctrl+Z, and "Undo last change" in the wad field's context menu.
  void OfferUndo();
  QWidget* Control(MainWindowControl control) const;
  FileNameEdit* Field(MainWindowControl control) const;

  Dialogs& dialogs_;
  std::array<QWidget*, kMainWindowControlCount> controls_{};
  TextProgressBar* progressBar_ = nullptr;
  // The control that had the focus when the running operation started.
  QPointer<QWidget> focusBeforeRun_;
};

}  // namespace quillmoor
