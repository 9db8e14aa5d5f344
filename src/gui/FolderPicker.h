// The folder picker: a folder chosen here becomes the source of a creation or an update.
// Shown without blocking and above other windows; closing it only hides it, so it shows its
// last selection when it opens again.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "gui/FolderTree.h"

namespace quillmoor {

class FolderPicker final : public QDialog {
  Q_OBJECT

 public:
  // setSource puts a text into the main window's source field.
  FolderPicker(std::function<void(const QString&)> setSource, QWidget* parent = nullptr);

  // OK: the selected folder (empty when none) goes into the source field; the window hides.
  void Accept();

 private:
  std::function<void(const QString&)> setSource_;
  FolderTree* folderTree_;
  QPushButton* okButton_;
};

}  // namespace quillmoor
