#include "operations/SourceFolder.h"

#include "io/TemporaryNames.h"
#include "paths/FileListing.h"
#include "paths/PathText.h"

namespace quillmoor {

std::vector<std::string> SourceFolderFiles(const std::string& folder) {
  std::vector<std::string> files = ListFiles(folder, "*.*", true, false, 63);
  std::erase_if(files,
                [](const std::string& path) { return IsTemporaryFileName(FileNamePart(path)); });
  return files;
}

}  // namespace quillmoor
