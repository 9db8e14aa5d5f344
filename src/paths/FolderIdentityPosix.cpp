#include <sys/stat.h>

#include "paths/FolderIdentity.h"

namespace quillmoor {

std::optional<FolderIdentity> FolderAt(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return FolderIdentity{status.st_dev, status.st_ino};
}

}  // namespace quillmoor
