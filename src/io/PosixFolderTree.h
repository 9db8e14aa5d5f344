// The POSIX file layer's part for writing trees of new files (extraction).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

FreeSpace PosixFreeSpaceFor(const std::string& path);
std::unique_ptr<FolderTree> OpenPosixFolderTree(const std::string& folder);

}  // namespace quillmoor
