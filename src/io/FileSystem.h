// The file layer: whole-block reads and writes at signed 32-bit positions. Every failure is an
// IoError. The platform's implementation sits behind these interfaces, and tests can put a
// layer in between that fails at a chosen step.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

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

// A new file that takes the place of an existing one only when Commit succeeds. Until then it
// has no name where the platform allows (else a temporary name beside the target, see
// io/TemporaryNames.h), so a run that fails or is killed leaves the target as it was and no
// file behind. Destroyed without a commit, it removes itself.
class FileReplacement {
 public:
  virtual ~FileReplacement() = default;

  virtual File& Content() = 0;
  // Makes the content reach the disk, puts it in the target's place in one step and makes
  // that step reach the disk too. The new file has the permission bits of the file it
  // replaces, and its owner and group where the user may give them. A file with other names
  // (hard links) keeps its content under those names: the target name alone is replaced.
  virtual void Commit() = 0;

  // ---- Keeping the previous version ----

  // Makes the file that Commit will replace also the target's backup (BackupName), replacing
  // an older backup; nothing when the target doesn't exist. The target itself is untouched, and
  // both names hold a complete file at every moment. A backup that can't be made is an
  // IoError, and the target stays as it was.
  virtual void KeepPrevious() = 0;
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

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The length of an existing file, without opening it; a folder is AccessDenied.
  virtual std::int64_t LengthOf(const std::string& name) = 0;
  virtual std::unique_ptr<File> OpenForReading(const std::string& name) = 0;
  virtual std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) = 0;
  virtual std::unique_ptr<File> CreateOrTruncate(const std::string& name) = 0;
  // Starts a replacement of target (which need not exist). When target is a symbolic link,
  // the file it leads to is replaced and the link stays. Removes the temporary files that
  // earlier runs, killed on the way, left for the same target.
  virtual std::unique_ptr<FileReplacement> BeginReplacement(const std::string& target) = 0;

  // ---- Replacing a wad while no other run changes it ----

  // Opens the existing file name for reading and writing and takes the exclusive lock that
  // every run of Quillmoor holds from reading a wad to replacing it. Waits at most wait while
  // another run holds it; gives nothing when that run still holds it then. The lock is on the
  // file that name leads to once the lock is held: when another run replaced the file
  // meanwhile, the new one is opened and locked instead. It lasts until the file is closed.
  virtual std::unique_ptr<File> OpenExclusive(const std::string& name,
                                              std::chrono::milliseconds wait) = 0;

  // ---- Writing a tree of new files, as extraction does ----

  // The bytes the user may still write on the file system that holds path, or would hold it
  // when path doesn't exist yet (then the nearest folder above it that exists counts).
  virtual std::int64_t FreeSpaceFor(const std::string& path) = 0;
  // Opens folder for writing new files below it, making it and the folders above it first
  // when they are missing. The folder itself is reached as its path says, links included.
  virtual std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) = 0;

  // ---- Keeping the previous version ----

  // The backup of name that a replacement keeps: "NAME.bak" beside the file name leads to.
  virtual std::string BackupName(const std::string& name) = 0;
  // Exchanges the file name leads to and its backup, so that name holds the previous version
  // and the backup the one name held; doing it twice changes nothing. Each name holds a
  // complete file at every moment. A missing backup is FileNotFound.
  virtual void ExchangeWithBackup(const std::string& name) = 0;
};

// The file system of the platform Quillmoor runs on.
FileSystem& NativeFileSystem();

}  // namespace quillmoor
