#include "io/FilePathParts.h"

namespace quillmoor {

FilePathParts SplitFilePath(std::string_view relativePath, std::string_view separators) {
  FilePathParts split;
  std::string_view last;
  std::size_t start = 0;
  while (start <= relativePath.size()) {
    std::size_t end = relativePath.find_first_of(separators, start);
    if (end == std::string_view::npos) end = relativePath.size();
    last = relativePath.substr(start, end - start);
    if (last == "..") {
      split.fault = FilePathParts::Fault::LeadsUp;
      return split;
    }
    if (!last.empty() && last != ".") split.parts.emplace_back(last);
    start = end + 1;
  }
  if (last.empty() || last == ".") split.fault = FilePathParts::Fault::EndsInAFolder;
  return split;
}

}  // namespace quillmoor
