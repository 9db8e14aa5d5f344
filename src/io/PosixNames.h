// The parts of the POSIX file layer that work on names rather than open files: new files with
// the mode of the file they replace, the steps of a commit, and the wad lock.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace quillmoor {

// The file that writing to name really changes: the end of its chain of symbolic links.
std::string FileNameLeadsTo(const std::string& name);

std::unique_ptr<File> CreatePosixNew(const std::string& name, const std::string& likeFile);
bool PosixExists(const std::string& name);
void RenamePosix(const std::string& from, const std::string& to);
void RemovePosix(const std::string& name);
bool LinkPosixIfPossible(const std::string& existing, const std::string& newName);
void SyncPosixFolder(const std::string& folder);
std::vector<std::string> NamesInPosixFolder(const std::string& folder);

std::unique_ptr<File> OpenPosixExclusive(const std::string& name, std::chrono::milliseconds wait);
std::unique_ptr<NameLock> LockPosixName(const std::string& lockFile,
                                        std::chrono::milliseconds wait);
void RemoveAbandonedPosixLock(const std::string& lockFile);

}  // namespace quillmoor
