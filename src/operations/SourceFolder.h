// The files a creation or an update takes from a source folder.
#pragma once

#include <string>
#include <vector>

namespace quillmoor {

// The full path of every file below folder, in listing order, but Quillmoor's own temporary
// files: a run killed while it wrote a wad in that folder may have left one.
std::vector<std::string> SourceFolderFiles(const std::string& folder);

}  // namespace quillmoor
