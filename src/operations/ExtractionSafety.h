// What keeps an extraction inside the folder the user chose.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "wad/WadFormat.h"

namespace quillmoor {

// The first entry name that extraction into destination must refuse, if any: one that is
// empty, absolute (a leading separator), drive-qualified ("X:") or has a ".." part (both '\'
// and '/' separate parts, as both do on Windows), or one whose file would be written below a
// folder that is, already, a symbolic link (wherever it leads: extraction follows no link).
std::optional<std::string> FirstUnsafeName(const std::vector<WadDirectoryEntry>& entries,
                                           const std::string& destination);

}  // namespace quillmoor
