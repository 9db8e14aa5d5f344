// A file system that passes every call on to the real one, except one chosen call, which
// fails as the test says: the way to make a write fail half-way through a wad.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "io/FileSystem.h"
#include "io/IoError.h"

namespace quillmoor::testing {

// The calls that can be made to fail. OpenRead is an open for reading only; OpenWrite every
// open that may write (for reading and writing, create, replacement), so failing it with
// AccessDenied makes a file behave as read-only, whoever runs the test; an exclusive open
// counts too. A copy into a file counts as a Write. Backup is keeping the previous version of
// a replaced file, or exchanging a file with its backup.
enum class FileStep { OpenRead, OpenWrite, Read, Write, Length, Flush, Close, Commit, Backup };

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
  std::unique_ptr<FileReplacement> BeginReplacement(const std::string& target) override;

  // ---- Replacing a wad while no other run changes it ----
  std::unique_ptr<File> OpenExclusive(const std::string& name,
                                      std::chrono::milliseconds wait) override;
  // ---- Writing a tree of new files, as extraction does ----
  // BeginFile of a tree counts as OpenWrite, writes to its content as Write and PutInPlace as
  // Commit.
  std::int64_t FreeSpaceFor(const std::string& path) override;
  std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) override;
  // Makes FreeSpaceFor give bytes, whatever the disk has.
  void SetFreeSpace(std::int64_t bytes) { freeSpace_ = bytes; }

  // ---- Keeping the previous version ----
  std::string BackupName(const std::string& name) override;
  void ExchangeWithBackup(const std::string& name) override;

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
  std::optional<std::int64_t> freeSpace_;
};

}  // namespace quillmoor::testing
