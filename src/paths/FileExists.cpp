#include "paths/FileExists.h"

#include <filesystem>
#include <system_error>

namespace quillmoor {

bool FileExists(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_regular_file(name, ignored);
}

}  // namespace quillmoor
