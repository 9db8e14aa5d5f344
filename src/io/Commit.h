// One commit for every change of wads: all of its wads take their new versions, or none does,
// whenever the process is killed or the power fails, on any file system that can rename.
//
// The new versions are written completely beside their targets first (io/Replacement.h). Run
// then writes a journal beside the first target that lists every step still to do, plain
// renames and removals in batches, and makes it and the folder reach the disk: from that
// moment on the commit is made, and whoever finds the journal finishes it. Then each batch is
// done, the folders are synced, and the journal notes the batch as done; at the end the
// journal is removed. A run killed before its journal is in place has changed no wad and no
// backup; it leaves temporary files only, which the next run on the folder removes.
//
// No name is both a source and a destination in one batch, and a batch starts only once the
// one before is noted as done: so a step whose source is gone was done, and the batch a kill
// interrupted can be done again from its start.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "io/Replacement.h"

namespace quillmoor {

class Commit {
 public:
  explicit Commit(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // The new version written takes its target's place. With keepPrevious, the file there
  // becomes the target's backup, replacing an older one; otherwise the old file goes.
  void Replace(std::unique_ptr<FileReplacement> written, bool keepPrevious);
  // The file name leads to and its backup change places (both must exist).
  void ExchangeWithBackup(const std::string& name);
  // The file name goes, in the folder of the changes before it.
  void Remove(const std::string& name);

  bool Empty() const;
  // Whether the journal is in place: from then on the commit is made, even when Run fails
  // later (the next run finishes it).
  bool Made() const { return made_; }
  // Writes the journal, does every step and removes the journal. A failure before the journal
  // is in place leaves every file as it was; a failure after it leaves the journal for the
  // next run to finish.
  void Run();

 private:
  struct Step {
    std::string from;
    // Empty for the removal of from.
    std::string to;
  };
  static constexpr std::size_t kBatches = 3;
  enum class ChangeKind { Replace, ReplaceKeepingPrevious, ExchangeWithBackup, Remove };
  struct Change {
    ChangeKind kind;
    std::string file;
    std::string newVersion;  // the temporary name of the version written, for a replacement
  };

  // A new temporary name beside file for its previous version.
  std::string OldVersionName(const std::string& file) const;
  // Turns the changes into the batches of steps; gives the second names it made.
  std::vector<std::string> PlanSteps();

  FileSystem& fileSystem_;
  std::vector<Change> changes_;
  std::vector<std::unique_ptr<FileReplacement>> written_;
  std::vector<Step> batches_[kBatches];
  bool made_ = false;
};

// Finishes the commits that processes which ended (or this one, in an operation before)
// left in folder, then removes the temporary files that ended processes left there and the
// lock files that no run holds. Waits at most wait for the commits that running processes are
// making there to end. Gives the journals it could not finish: those stay, and so do the
// temporary files beside them.
std::vector<std::string> FinishInterruptedCommits(
    FileSystem& fileSystem, const std::string& folder,
    std::chrono::milliseconds wait = std::chrono::milliseconds(5000));

}  // namespace quillmoor
