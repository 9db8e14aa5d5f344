// The parts of the POSIX file layer that replace wads: the replacement itself, the lock that
// runs take on a wad from reading it to replacing it, and the exchange with the backup.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "io/FileSystem.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

// The file that writing to name really changes: the end of its chain of symbolic links.
std::string FileNameLeadsTo(const std::string& name);

std::unique_ptr<FileReplacement> BeginPosixReplacement(const std::string& target);

std::unique_ptr<File> OpenPosixExclusive(const std::string& name, std::chrono::milliseconds wait);

void ExchangePosixWithBackup(const std::string& name);

}  // namespace quillmoor
