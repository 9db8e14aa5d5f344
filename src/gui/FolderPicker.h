// The folder picker: a folder chosen here becomes the source of a creation or an update. The
// tree fills the window between margins, so it grows and shrinks with the window; OK keeps to
// the bottom right corner.
#pragma once

#include "gui/FolderDialog.h"

namespace quillmoor {

class FolderPicker final : public FolderDialog {
  Q_OBJECT

 public:
  // setSource puts the folder selected at OK into the main window's source field.
  explicit FolderPicker(std::function<void(const QString&)> setSource, QWidget* parent = nullptr);
};

}  // namespace quillmoor
