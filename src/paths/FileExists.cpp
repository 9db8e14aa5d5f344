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

bool IsSpecialFile(const std::string& name) {
  std::error_code ignored;
  const std::filesystem::file_status status = std::filesystem::status(PathFromText(name), ignored);
  return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

}  // namespace quillmoor
