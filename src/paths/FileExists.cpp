#include "paths/FileExists.h"

#include <filesystem>
#include <system_error>

#include "paths/FileSystemPath.h"

namespace quillmoor {

bool FileExists(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_regular_file(PathFromText(name), ignored);
}

bool FolderExists(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_directory(PathFromText(name), ignored);
}

}  // namespace quillmoor
