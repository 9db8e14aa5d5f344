#include "paths/PathText.h"

#include <algorithm>
#include <iterator>

namespace quillmoor {

std::string WithoutNul(std::string_view s) {
  std::string cropped;
  cropped.reserve(s.size());
  std::remove_copy(s.begin(), s.end(), std::back_inserter(cropped), '\0');
  return cropped;
}

std::string FolderPart(std::string_view s, char separator) {
  const std::size_t last = s.rfind(separator);
  if (last == std::string_view::npos) return {};
  return std::string(s.substr(0, last + 1));
}

std::string FileNamePart(std::string_view s, char separator) {
  const std::size_t last = s.rfind(separator);
  if (last == std::string_view::npos) return std::string(s);
  return std::string(s.substr(last + 1));
}

}  // namespace quillmoor
