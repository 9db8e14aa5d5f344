#include "frontend/FolderWindowActions.h"

namespace quillmoor {

void FolderWindowActions::OpenAt(const std::string& folder) {
  if (!IsShown() && !folder.empty()) SelectFolder(folder);
  ShowInFront();
}

void FolderWindowActions::Accept() {
  const std::string folder = SelectedFolder();
  Hide();
  accepted_(folder);
}

}  // namespace quillmoor
