#pragma once

#include <string>

namespace quillmoor {

// Whether a file (not a folder) of that name exists, following symbolic links.
bool FileExists(const std::string& name);

// Whether a folder of that name exists, following symbolic links.
bool FolderExists(const std::string& name);

// Whether what the name leads to (following symbolic links) is neither a file nor a folder:
// a pipe, a device or a socket, which reading could wait on forever and replacing would lose.
bool IsSpecialFile(const std::string& name);

}  // namespace quillmoor
