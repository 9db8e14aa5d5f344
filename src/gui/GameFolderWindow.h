// The game-folder window: the user points at the game's folder by hand. OK hands the folder
// selected to the main window, which takes it only when it holds the game. Its controls keep
// their places whatever the window's size.
#pragma once

#include "gui/FolderDialog.h"

namespace quillmoor {

class GameFolderWindow final : public FolderDialog {
  Q_OBJECT

 public:
  // useFolder takes the folder selected at OK.
  explicit GameFolderWindow(std::function<void(const QString&)> useFolder,
                            QWidget* parent = nullptr);
};

}  // namespace quillmoor
