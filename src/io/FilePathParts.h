// The parts of the relative path of a new file below a folder, as an extraction names them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmoor {

struct FilePathParts {
  enum class Fault {
    None,
    // A ".." part, which would lead out of the folder.
    LeadsUp,
    // The path ends in a folder rather than a file name, as creating a file there would.
    EndsInAFolder,
  };
  // The folders on the way, then the file's name; without empty and "." parts.
  std::vector<std::string> parts;
  Fault fault = Fault::None;
};

// relativePath split at each of the separators.
FilePathParts SplitFilePath(std::string_view relativePath, std::string_view separators);

}  // namespace quillmoor
