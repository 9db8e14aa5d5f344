// The folder tree of the folder picker and the game-folder window: folders only, with the
// system's icons, no lines or buttons at the root level, an indent of 19, and a right click
// that selects the folder under the mouse. Hidden folders are left out, as the platform's own
// dialogs do, except on the way to a folder the tree is asked to show. It opens with the
// user's home folder selected.
#pragma once

#include <QFileSystemModel>
#include <QString>
#include <QTreeView>

#include "frontend/FolderWindowActions.h"

namespace quillmoor {

class VisibleFolders;

class FolderTreeView final : public QTreeView {
  Q_OBJECT

 public:
  FolderTreeView(FolderChanges changes, QWidget* parent);

  // The selected folder's full path in the platform's spelling; empty when none is selected.
  QString SelectedFolder() const;
  // Selects folder, opening the folders above it and the folder itself; shows it and the
  // folders above it even where they are hidden.
  void SelectFolder(const QString& folder);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QFileSystemModel* model_;
  VisibleFolders* visible_;
};

}  // namespace quillmoor
