// What keeps an extraction inside the folder the user chose.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wad/WadFormat.h"

namespace quillmoor {

// Whether an entry name could land outside the destination: empty, absolute (a leading
// separator), drive-qualified ("X:"), or with a ".." part. Both '\' and '/' separate parts,
// since both do on Windows.
bool IsUnsafeEntryName(std::string_view name);

// Whether writing the file at relativePath below destination would go through a symbolic
// link, already there, that leads out of destination (or nowhere, which writing would create).
bool GoesThroughOutsideLink(const std::string& destination, const std::string& relativePath);

// The first entry name that extraction into destination must refuse, if any.
std::optional<std::string> FirstUnsafeName(const std::vector<WadDirectoryEntry>& entries,
                                           const std::string& destination);

}  // namespace quillmoor
