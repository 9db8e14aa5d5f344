// The parts of the POSIX file layer that replace wads: the replacement itself and the lock
// that runs take on a wad from reading it to replacing it.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

// A File over an open descriptor, which it owns from now on; name is the one its errors give.
std::unique_ptr<File> PosixFileFromDescriptor(int descriptor, std::string name);

std::unique_ptr<FileReplacement> BeginPosixReplacement(const std::string& target);

std::unique_ptr<File> OpenPosixExclusive(const std::string& name, std::chrono::milliseconds wait);

}  // namespace quillmoor
