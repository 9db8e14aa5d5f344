// The game-folder window: the user points at the game's folder by hand. Its OK hands the
// selected folder to the main window (which takes it only when it holds "GP4.exe") and hides.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include <string>

#include "gui/FolderTree.h"

namespace quillmoor {

class GameFolderWindow final : public QDialog {
  Q_OBJECT

 public:
  // useFolder hands the folder selected at OK to the main window.
  explicit GameFolderWindow(std::function<void(const std::string&)> useFolder,
                            QWidget* parent = nullptr);

  void Accept();

 private:
  std::function<void(const std::string&)> useFolder_;
  FolderTree* folderTree_;
  QPushButton* okButton_;
};

}  // namespace quillmoor
