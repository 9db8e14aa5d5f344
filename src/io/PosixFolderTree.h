// The POSIX file layer's part for writing trees of new files (extraction).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

// A File over an open descriptor, which it owns from now on; name is the one its errors give.
std::unique_ptr<File> PosixFileFromDescriptor(int descriptor, std::string name);

std::int64_t PosixFreeSpaceFor(const std::string& path);
std::unique_ptr<FolderTree> OpenPosixFolderTree(const std::string& folder);

}  // namespace quillmoor
