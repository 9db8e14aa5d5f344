// The recursive listing of a folder that creation and update take their source files from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillmoor {

// Lists the entries of folder (a native path) matching mask, depth first: each file as
// folder + separator + name; with recurse, each sub-folder's own listing where the sub-folder
// is met; with includeFolders and no recurse, each sub-folder as folder + separator + name;
// with includeFolders, the folder itself (ending with the separator) last. "." and ".." never
// appear; hidden files do. A folder that is missing or unreadable contributes nothing.
// The attributes are handed on to the recursive calls and otherwise not consulted: every
// kind of entry is always asked for.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask,
                                     bool recurse, bool includeFolders, std::uint8_t attributes);

}  // namespace quillmoor
