// What the folder picker and the game-folder window share in Qt: a window shown without
// blocking and above other windows, in the dialog font, with a folder tree and an OK button
// that Enter presses; closing it only hides it, so it shows its last selection when it opens
// again. Each window places the two itself.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <functional>

#include "frontend/FolderWindowActions.h"
#include "gui/FolderTreeView.h"

namespace quillmoor {

class FolderDialog : public QDialog, public FolderWindowActions {
 public:
  void SetInputEnabled(bool enabled) override { setEnabled(enabled); }

 protected:
  // accepted takes the folder selected at OK, in the platform's spelling.
  FolderDialog(const char* name, const char* title, QSize clientSize, FolderChanges changes,
               std::function<void(const QString&)> accepted, QWidget* parent);

  // The keyboard order, tree then OK, and the focus on the tree; once the window has placed
  // them.
  void FocusTree();

  FolderTreeView* folderTree_;
  QPushButton* okButton_;

 private:
  bool IsShown() const override { return isVisible(); }
  void SelectFolder(const std::string& folder) override;
  std::string SelectedFolder() const override;
  void ShowInFront() override;
  void Hide() override { hide(); }
};

}  // namespace quillmoor
