#pragma once

#include <string>

namespace quillmoor {

// Whether a file (not a folder) of that name exists, following symbolic links.
bool FileExists(const std::string& name);

// Whether a folder of that name exists, following symbolic links.
bool FolderExists(const std::string& name);

}  // namespace quillmoor
