#include "PowerCutFileSystem.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillmoor::testing {

namespace {

void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

// A file whose writes are unsynced until it is flushed.
class WatchedFile final : public File {
 public:
  WatchedFile(std::unique_ptr<File> real, PowerCutFileSystem& disk, std::string name)
      : real_(std::move(real)), disk_(disk), name_(std::move(name)) {}

  void ReadAt(std::int32_t position, std::span<char> into) override {
    real_->ReadAt(position, into);
  }
  void WriteAt(std::int32_t position, std::span<const char> from) override {
    Dirty();
    real_->WriteAt(position, from);
  }
  void CopyFrom(File& source, std::int32_t sourcePosition, std::int32_t position,
                std::int32_t size) override {
    Dirty();
    real_->CopyFrom(source, sourcePosition, position, size);
  }
  std::int64_t Length() override { return real_->Length(); }
  void Flush() override {
    real_->Flush();
    if (unsynced_) unsynced_->flushed = true;
    unsynced_.reset();
  }
  void Close() override { real_->Close(); }

 private:
  void Dirty() {
    if (!unsynced_) unsynced_ = disk_.Writing(name_);
  }

  std::unique_ptr<File> real_;
  PowerCutFileSystem& disk_;
  std::string name_;
  std::shared_ptr<PowerCutFileSystem::UnsyncedBytes> unsynced_;
};

}  // namespace

std::optional<std::string> PowerCutFileSystem::BytesOf(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::shared_ptr<PowerCutFileSystem::UnsyncedBytes> PowerCutFileSystem::Writing(
    const std::string& name) {
  auto bytes = std::make_shared<UnsyncedBytes>();
  // The file may have been renamed since it was opened: follow its renames.
  bytes->name = name;
  for (const NameStep& step : steps_) {
    if (step.from == bytes->name && !step.to.empty()) bytes->name = step.to;
  }
  bytes->synced = BytesOf(bytes->name).value_or("");
  unsynced_.push_back(bytes);
  return bytes;
}

std::unique_ptr<File> PowerCutFileSystem::Watched(std::unique_ptr<File> file,
                                                  const std::string& name) {
  return std::make_unique<WatchedFile>(std::move(file), *this, name);
}

std::unique_ptr<File> PowerCutFileSystem::OpenForReadingAndWriting(const std::string& name) {
  return Watched(below_.OpenForReadingAndWriting(name), name);
}

std::unique_ptr<File> PowerCutFileSystem::CreateOrTruncate(const std::string& name) {
  const std::optional<std::string> replaced = BytesOf(name);
  std::unique_ptr<File> file = below_.CreateOrTruncate(name);
  steps_.push_back({FolderOf(name), replaced ? name : "", name, replaced});
  return Watched(std::move(file), name);
}

std::unique_ptr<File> PowerCutFileSystem::CreateNew(const std::string& name,
                                                    const std::string& likeFile) {
  std::unique_ptr<File> file = below_.CreateNew(name, likeFile);
  steps_.push_back({FolderOf(name), "", name, std::nullopt});
  return Watched(std::move(file), name);
}

void PowerCutFileSystem::Rename(const std::string& from, const std::string& to) {
  const std::optional<std::string> replaced = BytesOf(to);
  below_.Rename(from, to);
  steps_.push_back({FolderOf(to), from, to, replaced});
  for (const std::shared_ptr<UnsyncedBytes>& bytes : unsynced_) {
    if (bytes->name == from) bytes->name = to;
  }
}

void PowerCutFileSystem::Remove(const std::string& name) {
  const std::optional<std::string> replaced = BytesOf(name);
  below_.Remove(name);
  steps_.push_back({FolderOf(name), name, "", replaced});
}

bool PowerCutFileSystem::LinkIfPossible(const std::string& existing, const std::string& newName) {
  if (!below_.LinkIfPossible(existing, newName)) return false;
  steps_.push_back({FolderOf(newName), "", newName, std::nullopt});
  return true;
}

void PowerCutFileSystem::SyncFolder(const std::string& folder) {
  below_.SyncFolder(folder);
  std::erase_if(steps_, [&](const NameStep& step) { return step.folder == folder; });
}

std::unique_ptr<File> PowerCutFileSystem::OpenExclusive(const std::string& name,
                                                        std::chrono::milliseconds wait) {
  std::unique_ptr<File> file = below_.OpenExclusive(name, wait);
  return file ? Watched(std::move(file), name) : nullptr;
}

void PowerCutFileSystem::PowerCut() {
  // The bytes first, under the names the files have now; then the names, the last step first.
  for (const std::shared_ptr<UnsyncedBytes>& bytes : unsynced_) {
    if (!bytes->flushed && std::filesystem::exists(bytes->name)) {
      WriteBytes(bytes->name, bytes->synced);
    }
  }
  unsynced_.clear();
  for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
    std::error_code ignored;
    if (!step->from.empty() && !step->to.empty() && step->from != step->to) {
      std::filesystem::rename(step->to, step->from, ignored);
      if (step->replaced) WriteBytes(step->to, *step->replaced);
    } else if (!step->to.empty() && step->from.empty()) {
      std::filesystem::remove(step->to, ignored);
    } else if (step->replaced) {
      WriteBytes(step->from, *step->replaced);
    }
  }
  steps_.clear();
}

}  // namespace quillmoor::testing
