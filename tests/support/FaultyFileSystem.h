// A file system that passes every call on to the real one, except one chosen call, which
// fails as the test says: the way to make a write fail half-way through a wad.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "io/IoError.h"

namespace quillmoor::testing {

// The calls that can be made to fail. OpenRead is an open for reading only; OpenWrite every
// open that may write (for reading and writing, create, replacement), so failing it with
// AccessDenied makes a file behave as read-only, whoever runs the test; an exclusive open
// counts too. A copy into a file counts as a Write. Commit is putting a new file of a tree in
// place; Rename, Remove, Link and Sync are the steps of a commit of wads (io/Commit.h).
enum class FileStep {
  OpenRead,
  OpenWrite,
  Read,
  Write,
  Length,
  Flush,
  Close,
  Commit,
  Rename,
  Remove,
  Link,
  Sync
};

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& real = NativeFileSystem()) : real_(real) {}

  // The occurrence-th call (from 1) of step, counted over all files, throws an IoError.
  void FailAt(FileStep step, int occurrence, IoFailure kind, int errorNumber = 0);
  // How many calls of step have been made so far.
  int Calls(FileStep step) const;

  std::int64_t LengthOf(const std::string& name) override;
  std::unique_ptr<File> OpenForReading(const std::string& name) override;
  std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) override;
  std::unique_ptr<File> CreateOrTruncate(const std::string& name) override;
  std::unique_ptr<File> CreateNew(const std::string& name, const std::string& likeFile) override;

  // ---- The steps of a commit ----
  bool Exists(const std::string& name) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& name) override;
  bool LinkIfPossible(const std::string& existing, const std::string& newName) override;
  // Makes the file system one without hard links, as FAT and exFAT are.
  void RefuseLinks() { refuseLinks_ = true; }
  // Flushes of files and syncs of folders are counted but never wait for the disk: for tests
  // that run many updates and look only at what the files hold.
  void SkipSyncs() { skipsSyncs_ = true; }
  bool SkipsSyncs() const { return skipsSyncs_; }
  void SyncFolder(const std::string& folder) override;
  std::vector<std::string> NamesIn(const std::string& folder) override;
  std::string FileNameLeadsTo(const std::string& name) override;
  std::string FolderOf(const std::string& path) override;

  // ---- Replacing a wad while no other run changes it ----
  std::unique_ptr<File> OpenExclusive(const std::string& name,
                                      std::chrono::milliseconds wait) override;
  // Taking a lock on a new name counts as OpenWrite, removing an abandoned one as Remove.
  std::unique_ptr<NameLock> LockNewName(const std::string& name,
                                        std::chrono::milliseconds wait) override;
  void RemoveAbandonedLock(const std::string& lockFile) override;
  // ---- Writing a tree of new files, as extraction does ----
  // BeginFile of a tree counts as OpenWrite, writes to its content as Write and PutInPlace as
  // Commit.
  FreeSpace FreeSpaceFor(const std::string& path) override;
  std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) override;
  // Makes FreeSpaceFor give space, whatever the disk has.
  void SetFreeSpace(FreeSpace space) { freeSpace_ = space; }
  void SetFreeSpace(std::int64_t bytes) { freeSpace_ = FreeSpace{bytes, 1, FreeSpace::kUnlimited}; }

  // From the occurrence-th call (from 1) on of any step that changes a file or a name (every
  // open that may write, Write, Flush, Close, Commit, Rename, Remove, Link, Sync), every call
  // fails as it would in a process that was killed right there: nothing more reaches the disk.
  void KillAt(int occurrence);
  // How many calls that change a file or a name have been made so far.
  int Changes() const { return changes_; }

  // Counts a call of step and throws when it is the one chosen to fail.
  void Pass(FileStep step, const std::string& name);

 private:
  struct Fault {
    FileStep step;
    int occurrence;
    IoFailure kind;
    int errorNumber;
  };
  FileSystem& real_;
  std::map<FileStep, int> calls_;
  std::optional<Fault> fault_;
  std::optional<FreeSpace> freeSpace_;
  int changes_ = 0;
  std::optional<int> killedAt_;
  bool refuseLinks_ = false;
  bool skipsSyncs_ = false;
};

}  // namespace quillmoor::testing
