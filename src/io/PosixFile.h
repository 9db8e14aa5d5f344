// The POSIX file layer's File over an open descriptor, shared by its parts that open files
// their own way (the wad lock, the replacement, the tree of new files).
#pragma once

#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

// A File over an open descriptor, which it owns from now on; name is the one its errors give.
std::unique_ptr<File> PosixFileFromDescriptor(int descriptor, std::string name);

}  // namespace quillmoor
