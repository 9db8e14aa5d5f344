// The parts of the POSIX file layer that replace wads: the replacement itself and the lock
// that runs take on a wad from reading it to replacing it.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

std::unique_ptr<FileReplacement> BeginPosixReplacement(const std::string& target);

std::unique_ptr<File> OpenPosixExclusive(const std::string& name, std::chrono::milliseconds wait);

}  // namespace quillmoor
