#include "paths/FileSystemPath.h"

namespace quillmoor {

std::filesystem::path PathFromText(std::string_view text) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string TextFromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace quillmoor
