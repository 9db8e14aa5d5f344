// What keeps an extraction inside the folder the user chose.
#pragma once

#include <filesystem>
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

// Whether writing the file at relativePath below root (a canonical folder) would go through a
// symbolic link, already there, that leads out of root (or nowhere: writing would create it).
bool GoesThroughOutsideLink(const std::filesystem::path& root, const std::string& relativePath);

// The first entry name that extraction into destination must refuse, if any.
std::optional<std::string> FirstUnsafeName(const std::vector<WadDirectoryEntry>& entries,
                                           const std::string& destination);

}  // namespace quillmoor
