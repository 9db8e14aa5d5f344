// The file layer: whole-block reads and writes at signed 32-bit positions. Every failure is an
// IoError. The platform's implementation sits behind these interfaces, and tests can put a
// layer in between that fails at a chosen step.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "io/FreeSpace.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

class File {
 public:
  virtual ~File() = default;

  // Fills the whole of into from position on; fewer bytes in the file is ReadBeyondEnd.
  virtual void ReadAt(std::int32_t position, std::span<char> into) = 0;
  // Writes the whole of from at position, extending the file as needed; bytes skipped over
  // read as zeros.
  virtual void WriteAt(std::int32_t position, std::span<const char> from) = 0;
  // Copies size bytes of source, from sourcePosition on, into this file at position, inside
  // the kernel where the platform can; fewer bytes in source is ReadBeyondEnd.
  virtual void CopyFrom(File& source, std::int32_t sourcePosition, std::int32_t position,
                        std::int32_t size) = 0;
  virtual std::int64_t Length() = 0;
  // Makes what was written reach the disk.
  virtual void Flush() = 0;
  // Closes the file and reports a failure; a file that is destroyed unclosed closes quietly.
  virtual void Close() = 0;
};

// ---- Writing a tree of new files, as extraction does ----

// A file being written below a FolderTree. It has no name until PutInPlace; destroyed before
// that, it leaves nothing behind (on a platform without unnamed files, a killed run may leave
// a hidden temporary file beside its destination).
class NewFile {
 public:
  virtual ~NewFile() = default;

  virtual File& Content() = 0;
  // Closes the content and gives it its name. Whatever had that name before (a file, a hard
  // link to a file elsewhere, a symbolic link) is replaced, never written through.
  virtual void PutInPlace() = 0;
};

// A folder that new files are written below. The folders on the way to a file are made when
// missing and are never reached through a symbolic link, so nothing written through the tree
// lands outside it, even when links appear while it is being written.
class FolderTree {
 public:
  virtual ~FolderTree() = default;

  // Starts the file at relativePath: parts separated by the platform's separator; empty and
  // "." parts are skipped; a ".." part is InvalidName, and a path that ends in a folder rather
  // than a file name is AccessDenied, as creating a file over a folder is.
  virtual std::unique_ptr<NewFile> BeginFile(const std::string& relativePath) = 0;
};

// The lock a run holds on the name of a file it is about to create (FileSystem::LockNewName):
// it ends, and its lock file goes, when this is destroyed.
class NameLock {
 public:
  virtual ~NameLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The length of an existing file, without opening it; a folder is AccessDenied.
  virtual std::int64_t LengthOf(const std::string& name) = 0;
  virtual std::unique_ptr<File> OpenForReading(const std::string& name) = 0;
  virtual std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) = 0;
  virtual std::unique_ptr<File> CreateOrTruncate(const std::string& name) = 0;
  // Creates the file name, which must not exist yet, for reading and writing. It has the
  // permission bits of the file likeFile, and its owner and group where the user may give
  // them; when likeFile doesn't exist, what a newly created file gets.
  virtual std::unique_ptr<File> CreateNew(const std::string& name, const std::string& likeFile) = 0;

  // ---- The steps of a commit (io/Commit.h): plain renames, which every file system has ----

  // Whether something has the name, without following a symbolic link.
  virtual bool Exists(const std::string& name) = 0;
  // Gives the file from the name to in one step, replacing what had it; the file that had
  // it keeps its content under its other names (hard links). Where the platform can, the
  // rename reaches the disk before this returns.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& name) = 0;
  // Gives the file existing the second name newName, which must not exist yet: false, with
  // nothing made, where the file system has no hard links (FAT, exFAT, many network shares).
  // A commit uses it so that a wad keeps its name while its previous version gets another.
  virtual bool LinkIfPossible(const std::string& existing, const std::string& newName) = 0;
  // Makes the renames and removals made in folder so far reach the disk.
  virtual void SyncFolder(const std::string& folder) = 0;
  // The names of what folder holds, without "." and "..".
  virtual std::vector<std::string> NamesIn(const std::string& folder) = 0;
  // The file that writing to name really changes: the end of its chain of symbolic links.
  virtual std::string FileNameLeadsTo(const std::string& name) = 0;
  // The folder part of path with its last separator; empty for a bare file name.
  virtual std::string FolderOf(const std::string& path) = 0;

  // ---- Replacing a wad while no other run changes it ----

  // Opens the existing file name for reading and writing and takes the exclusive lock that
  // every run of Quillmoor holds from reading a wad to replacing it. Waits at most wait while
  // another run holds it; gives nothing when that run still holds it then. The lock is on the
  // file that name leads to once the lock is held: when another run replaced the file
  // meanwhile, the new one is opened and locked instead. It lasts until the file is closed.
  virtual std::unique_ptr<File> OpenExclusive(const std::string& name,
                                              std::chrono::milliseconds wait) = 0;

  // Takes the exclusive lock that every run creating the file name holds until it has put the
  // file in place, whether or not name exists meanwhile: on the lock file "NAME.quillmoor-lock"
  // beside it, which goes when the lock ends. Waits at most wait while another run holds it;
  // gives nothing when that run still holds it then.
  virtual std::unique_ptr<NameLock> LockNewName(const std::string& name,
                                                std::chrono::milliseconds wait) = 0;
  // Removes the lock file lockFile when no run holds its lock, as when the run that made it
  // was killed; leaves it to its run otherwise.
  virtual void RemoveAbandonedLock(const std::string& lockFile) = 0;

  // ---- Writing a tree of new files, as extraction does ----

  // What the user may still write on the file system that holds path, or would hold it when
  // path doesn't exist yet (then the nearest folder above it that exists counts).
  virtual FreeSpace FreeSpaceFor(const std::string& path) = 0;
  // Opens folder for writing new files below it, making it and the folders above it first
  // when they are missing. The folder itself is reached as its path says, links included.
  virtual std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) = 0;

  // ---- Keeping the previous version ----

  // The backup of name that a commit keeps: "NAME.bak" beside the file name leads to.
  std::string BackupName(const std::string& name) { return FileNameLeadsTo(name) + kBackupSuffix; }

  // The lock file that LockNewName takes for name: "NAME.quillmoor-lock" beside it.
  std::string NameLockFile(const std::string& name) {
    const std::string folder = FolderOf(name);
    return folder + NameLockFileName(name.substr(folder.size()));
  }
};

// The file system of the platform Quillmoor runs on.
FileSystem& NativeFileSystem();

}  // namespace quillmoor
