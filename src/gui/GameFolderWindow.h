// The game-folder window: the user points at the game's folder by hand. OK hides the window
// and hands the folder selected to the main window, which takes it only when it holds the
// game.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "gui/FolderTreeView.h"

namespace quillmoor {

class GameFolderWindow final : public QDialog {
  Q_OBJECT

 public:
  // useFolder takes the folder selected at OK.
  explicit GameFolderWindow(std::function<void(const QString&)> useFolder,
                            QWidget* parent = nullptr);

  // Shows the window, or brings it to the front when it is open, with folder selected (the
  // last selection when folder is empty).
  void OpenAt(const QString& folder);
  // OK: the window hides, so that a box about the folder shows above everything, then hands
  // the folder on.
  void Accept();

 private:
  std::function<void(const QString&)> useFolder_;
  FolderTreeView* folderTree_;
  QPushButton* okButton_;
};

}  // namespace quillmoor
