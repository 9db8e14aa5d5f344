#include "FaultyFileSystem.h"

#include <utility>

namespace quillmoor::testing {

namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& faults, std::string name)
      : owned_(std::move(real)), real_(*owned_), faults_(faults), name_(std::move(name)) {}
  FaultyFile(File& real, FaultyFileSystem& faults, std::string name)
      : real_(real), faults_(faults), name_(std::move(name)) {}

  void ReadAt(std::int32_t position, std::span<char> into) override {
    faults_.Pass(FileStep::Read, name_);
    real_.ReadAt(position, into);
  }
  void WriteAt(std::int32_t position, std::span<const char> from) override {
    faults_.Pass(FileStep::Write, name_);
    real_.WriteAt(position, from);
  }
  void CopyFrom(File& source, std::int32_t sourcePosition, std::int32_t position,
                std::int32_t size) override {
    faults_.Pass(FileStep::Write, name_);
    real_.CopyFrom(source, sourcePosition, position, size);
  }
  std::int64_t Length() override {
    faults_.Pass(FileStep::Length, name_);
    return real_.Length();
  }
  void Flush() override {
    faults_.Pass(FileStep::Flush, name_);
    if (!faults_.SkipsSyncs()) real_.Flush();
  }
  void Close() override {
    faults_.Pass(FileStep::Close, name_);
    real_.Close();
  }

 private:
  std::unique_ptr<File> owned_;
  File& real_;
  FaultyFileSystem& faults_;
  std::string name_;
};

// ---- Writing a tree of new files, as extraction does ----

class FaultyNewFile final : public NewFile {
 public:
  FaultyNewFile(std::unique_ptr<NewFile> real, FaultyFileSystem& faults, std::string name)
      : real_(std::move(real)),
        content_(real_->Content(), faults, name),
        faults_(faults),
        name_(std::move(name)) {}

  File& Content() override { return content_; }
  void PutInPlace() override {
    faults_.Pass(FileStep::Commit, name_);
    real_->PutInPlace();
  }

 private:
  std::unique_ptr<NewFile> real_;
  FaultyFile content_;
  FaultyFileSystem& faults_;
  std::string name_;
};

class FaultyFolderTree final : public FolderTree {
 public:
  FaultyFolderTree(std::unique_ptr<FolderTree> real, FaultyFileSystem& faults)
      : real_(std::move(real)), faults_(faults) {}

  std::unique_ptr<NewFile> BeginFile(const std::string& relativePath) override {
    faults_.Pass(FileStep::OpenWrite, relativePath);
    return std::make_unique<FaultyNewFile>(real_->BeginFile(relativePath), faults_, relativePath);
  }

 private:
  std::unique_ptr<FolderTree> real_;
  FaultyFileSystem& faults_;
};

}  // namespace

void FaultyFileSystem::FailAt(FileStep step, int occurrence, IoFailure kind, int errorNumber) {
  fault_ = Fault{step, occurrence, kind, errorNumber};
}

int FaultyFileSystem::Calls(FileStep step) const {
  const auto found = calls_.find(step);
  return found == calls_.end() ? 0 : found->second;
}

void FaultyFileSystem::KillAt(int occurrence) { killedAt_ = occurrence; }

void FaultyFileSystem::Pass(FileStep step, const std::string& name) {
  const bool changes = step == FileStep::OpenWrite || step == FileStep::Write ||
                       step == FileStep::Flush || step == FileStep::Close ||
                       step == FileStep::Commit || step == FileStep::Rename ||
                       step == FileStep::Remove || step == FileStep::Link || step == FileStep::Sync;
  if (changes && killedAt_ && ++changes_ >= *killedAt_) {
    throw IoError(IoFailure::Other, 0, name);
  }
  if (changes && !killedAt_) ++changes_;
  const int call = ++calls_[step];
  if (fault_ && fault_->step == step && fault_->occurrence == call) {
    throw IoError(fault_->kind, fault_->errorNumber, name);
  }
}

std::int64_t FaultyFileSystem::LengthOf(const std::string& name) {
  Pass(FileStep::Length, name);
  return real_.LengthOf(name);
}

std::unique_ptr<File> FaultyFileSystem::OpenForReading(const std::string& name) {
  Pass(FileStep::OpenRead, name);
  return std::make_unique<FaultyFile>(real_.OpenForReading(name), *this, name);
}

std::unique_ptr<File> FaultyFileSystem::OpenForReadingAndWriting(const std::string& name) {
  Pass(FileStep::OpenWrite, name);
  return std::make_unique<FaultyFile>(real_.OpenForReadingAndWriting(name), *this, name);
}

std::unique_ptr<File> FaultyFileSystem::CreateOrTruncate(const std::string& name) {
  Pass(FileStep::OpenWrite, name);
  return std::make_unique<FaultyFile>(real_.CreateOrTruncate(name), *this, name);
}

std::unique_ptr<File> FaultyFileSystem::CreateNew(const std::string& name,
                                                  const std::string& likeFile) {
  Pass(FileStep::OpenWrite, name);
  return std::make_unique<FaultyFile>(real_.CreateNew(name, likeFile), *this, name);
}

// ---- The steps of a commit ----

bool FaultyFileSystem::Exists(const std::string& name) { return real_.Exists(name); }

void FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  Pass(FileStep::Rename, to);
  real_.Rename(from, to);
}

bool FaultyFileSystem::LinkIfPossible(const std::string& existing, const std::string& newName) {
  if (refuseLinks_) return false;
  Pass(FileStep::Link, newName);
  return real_.LinkIfPossible(existing, newName);
}

void FaultyFileSystem::Remove(const std::string& name) {
  Pass(FileStep::Remove, name);
  real_.Remove(name);
}

void FaultyFileSystem::SyncFolder(const std::string& folder) {
  Pass(FileStep::Sync, folder);
  if (!skipsSyncs_) real_.SyncFolder(folder);
}

std::vector<std::string> FaultyFileSystem::NamesIn(const std::string& folder) {
  return real_.NamesIn(folder);
}

std::string FaultyFileSystem::FileNameLeadsTo(const std::string& name) {
  return real_.FileNameLeadsTo(name);
}

std::string FaultyFileSystem::FolderOf(const std::string& path) { return real_.FolderOf(path); }

// ---- Writing a tree of new files, as extraction does ----

FreeSpace FaultyFileSystem::FreeSpaceFor(const std::string& path) {
  return freeSpace_ ? *freeSpace_ : real_.FreeSpaceFor(path);
}

std::unique_ptr<FolderTree> FaultyFileSystem::OpenFolderTree(const std::string& folder) {
  return std::make_unique<FaultyFolderTree>(real_.OpenFolderTree(folder), *this);
}

}  // namespace quillmoor::testing

namespace quillmoor::testing {

// ---- Replacing a wad while no other run changes it ----
std::unique_ptr<File> FaultyFileSystem::OpenExclusive(const std::string& name,
                                                      std::chrono::milliseconds wait) {
  Pass(FileStep::OpenWrite, name);
  std::unique_ptr<File> real = real_.OpenExclusive(name, wait);
  if (!real) return nullptr;
  return std::make_unique<FaultyFile>(std::move(real), *this, name);
}

std::unique_ptr<NameLock> FaultyFileSystem::LockNewName(const std::string& name,
                                                        std::chrono::milliseconds wait) {
  Pass(FileStep::OpenWrite, name);
  return real_.LockNewName(name, wait);
}

void FaultyFileSystem::RemoveAbandonedLock(const std::string& lockFile) {
  Pass(FileStep::Remove, lockFile);
  real_.RemoveAbandonedLock(lockFile);
}

}  // namespace quillmoor::testing
