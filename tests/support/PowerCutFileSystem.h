// A file system whose power fails: it passes every call on to the one below it (a
// FaultyFileSystem that makes the process die at a chosen step) and remembers what has not
// reached the disk yet: the bytes written to a file since its last Flush, and the names made,
// renamed or removed in a folder since its last SyncFolder. PowerCut() then forgets all of it,
// as a disk does whose power fails: each such file gets back the bytes it had at its last
// Flush, and each such name step is undone, the last first.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace quillmoor::testing {

class PowerCutFileSystem final : public FileSystem {
 public:
  explicit PowerCutFileSystem(FileSystem& below) : below_(below) {}

  // Forgets what hasn't reached the disk.
  void PowerCut();

  std::int64_t LengthOf(const std::string& name) override { return below_.LengthOf(name); }
  std::unique_ptr<File> OpenForReading(const std::string& name) override {
    return below_.OpenForReading(name);
  }
  std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) override;
  std::unique_ptr<File> CreateOrTruncate(const std::string& name) override;
  std::unique_ptr<File> CreateNew(const std::string& name, const std::string& likeFile) override;

  bool Exists(const std::string& name) override { return below_.Exists(name); }
  void Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& name) override;
  bool LinkIfPossible(const std::string& existing, const std::string& newName) override;
  void SyncFolder(const std::string& folder) override;
  std::vector<std::string> NamesIn(const std::string& folder) override {
    return below_.NamesIn(folder);
  }
  std::string FileNameLeadsTo(const std::string& name) override {
    return below_.FileNameLeadsTo(name);
  }
  std::string FolderOf(const std::string& path) override { return below_.FolderOf(path); }

  std::unique_ptr<File> OpenExclusive(const std::string& name,
                                      std::chrono::milliseconds wait) override;
  std::unique_ptr<NameLock> LockNewName(const std::string& name,
                                        std::chrono::milliseconds wait) override {
    return below_.LockNewName(name, wait);
  }
  void RemoveAbandonedLock(const std::string& lockFile) override {
    below_.RemoveAbandonedLock(lockFile);
  }
  FreeSpace FreeSpaceFor(const std::string& path) override { return below_.FreeSpaceFor(path); }
  std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) override {
    return below_.OpenFolderTree(folder);
  }

  // A file written since its last Flush: its name now, and the bytes it had then.
  struct UnsyncedBytes {
    std::string name;
    std::string synced;
    bool flushed = false;
  };
  // Called by the files this hands out.
  std::shared_ptr<UnsyncedBytes> Writing(const std::string& name);

 private:
  // A change of names in folder not yet synced, and what undoes it.
  struct NameStep {
    std::string folder;
    std::string from;  // the name that went (renamed or removed), empty for one made
    std::string to;    // the name that came, empty for a removal
    std::optional<std::string> replaced;  // the bytes of what to or from had, to bring back
  };
  std::unique_ptr<File> Watched(std::unique_ptr<File> file, const std::string& name);
  std::optional<std::string> BytesOf(const std::string& name);

  FileSystem& below_;
  std::vector<NameStep> steps_;
  std::vector<std::shared_ptr<UnsyncedBytes>> unsynced_;
};

}  // namespace quillmoor::testing
