// The folder picker: a folder chosen here becomes the source of a creation or an update.
// Shown without blocking and above other windows; closing it only hides it, so it shows its
// last selection when it opens again, unless it is opened at a folder.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "gui/FolderTreeView.h"

namespace quillmoor {

class FolderPicker final : public QDialog {
  Q_OBJECT

 public:
  // setSource puts a text into the main window's source field.
  FolderPicker(std::function<void(const QString&)> setSource, QWidget* parent = nullptr);

  // Shows the window, or brings it to the front when it is open, with folder selected (the
  // last selection when folder is empty).
  void OpenAt(const QString& folder);
  // OK: the selected folder (empty when none) goes into the source field; the window hides.
  void Accept();

 private:
  std::function<void(const QString&)> setSource_;
  FolderTreeView* folderTree_;
  QPushButton* okButton_;
};

}  // namespace quillmoor
