// The game-folder window: the user points at the game's folder by hand. A folder that holds
// "GP4.exe" is remembered as "GP4Path" and the main window's fields are filled again as at
// start-up; any other folder changes nothing. Either way the window hides.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "filesfolder/FolderTree.h"
#include "wad/SettingsValues.h"

namespace quillmoor {

class TForm5 final : public QDialog {
  Q_OBJECT

 public:
  // rerunStartupFill fills the main window's fields again as at start-up.
  TForm5(SettingsValues& settings, std::function<void()> rerunStartupFill,
         QWidget* parent = nullptr);

  void Button1Click();

 private:
  SettingsValues& settings_;
  std::function<void()> rerunStartupFill_;
  FolderTree* shellTreeView1_;
  QPushButton* button1_;
};

}  // namespace quillmoor
