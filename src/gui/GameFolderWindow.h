// The game-folder window: the user points at the game's folder by hand. A folder that holds
// "GP4.exe" is remembered as "GP4Path" and the main window's fields are filled again as at
// start-up; any other folder changes nothing. Either way the window hides.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "gui/Dialogs.h"
#include "gui/FolderTreeView.h"
#include "operations/SettingsValues.h"

namespace quillmoor {

class GameFolderWindow final : public QDialog {
  Q_OBJECT

 public:
  // rerunStartupFill fills the main window's fields again as at start-up.
  GameFolderWindow(Dialogs& dialogs, SettingsValues& settings,
                   std::function<void()> rerunStartupFill, QWidget* parent = nullptr);

  // Shows the window, or brings it to the front when it is open, with folder selected (the
  // last selection when folder is empty).
  void OpenAt(const QString& folder);
  // OK. A folder that can't be stored leaves the error box; the window hides all the same.
  void Accept();

 private:
  Dialogs& dialogs_;
  SettingsValues& settings_;
  std::function<void()> rerunStartupFill_;
  FolderTreeView* folderTree_;
  QPushButton* okButton_;
};

}  // namespace quillmoor
