#include "wad/WadImage.h"

#include <map>
#include <optional>
#include <stdexcept>

#include "wad/WadDirectory.h"

namespace quillmoor {

void LoadWad(WadImage& image, const std::string& fileName, FileSystem& fileSystem) {
  const std::unique_ptr<File> wad = fileSystem.OpenForReadingAndWriting(fileName);
  const std::int64_t fileLength = wad->Length();
  std::vector<WadDirectoryEntry> entries = ReadWadDirectory(*wad, fileName, fileLength);
  for (const WadDirectoryEntry& entry : entries) CheckBlockInside(entry, fileLength, fileName);
  wad->Close();

  std::vector<BlockData> data;
  data.reserve(entries.size());
  for (const WadDirectoryEntry& entry : entries)
    data.emplace_back(FileRange{fileName, entry.Offset});
  image.Count = static_cast<std::int32_t>(entries.size());
  image.Entries = std::move(entries);
  image.Data = std::move(data);
}

namespace {

// The files that data is copied from while a wad is written, each opened once.
class SourceFiles {
 public:
  explicit SourceFiles(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  File& Open(const std::string& name) {
    auto found = open_.find(name);
    if (found != open_.end()) return *found->second;
    if (open_.size() >= kMostOpen) open_.clear();
    return *open_.emplace(name, fileSystem_.OpenForReading(name)).first->second;
  }

 private:
  // The loaded wad and a few sources at a time, well below any limit on open files.
  static constexpr std::size_t kMostOpen = 16;
  FileSystem& fileSystem_;
  std::map<std::string, std::unique_ptr<File>> open_;
};

// Writes the blocks in directory order. Blocks that follow each other in one file and in the
// wad alike are copied with one call: a wad's blocks mostly do.
class BlockWriter {
 public:
  BlockWriter(File& wad, FileSystem& fileSystem) : wad_(wad), sources_(fileSystem) {}

  void Write(const WadDirectoryEntry& entry, const BlockData& data) {
    if (entry.Size == 0) return;
    if (const auto* range = std::get_if<FileRange>(&data)) {
      const bool continues = pending_ && pending_->file == range->file &&
                             std::int64_t{pending_->position} + pendingSize_ == range->position &&
                             std::int64_t{pendingOffset_} + pendingSize_ == entry.Offset;
      if (!continues) {
        Flush();
        pending_ = *range;
        pendingOffset_ = entry.Offset;
      }
      pendingSize_ += entry.Size;
      return;
    }
    Flush();
    const std::string& bytes = std::get<std::string>(data);
    if (entry.Size < 0 || bytes.size() < static_cast<std::size_t>(entry.Size)) {
      throw std::logic_error("the wad image holds less data than an entry's size");
    }
    wad_.WriteAt(entry.Offset, std::span(bytes.data(), static_cast<std::size_t>(entry.Size)));
  }

  // Copies the blocks still pending.
  void Flush() {
    if (!pending_) return;
    wad_.CopyFrom(sources_.Open(pending_->file), pending_->position, pendingOffset_,
                  static_cast<std::int32_t>(pendingSize_));
    pending_.reset();
    pendingSize_ = 0;
  }

 private:
  File& wad_;
  SourceFiles sources_;
  std::optional<FileRange> pending_;
  std::int32_t pendingOffset_ = 0;
  std::int64_t pendingSize_ = 0;
};

}  // namespace

void RebuildWad(const WadImage& image, const std::string& fileName, std::int32_t n,
                FileSystem& fileSystem) {
  const auto count = static_cast<std::size_t>(n);
  if (n < 0 || count > image.Entries.size() || count > image.Data.size()) {
    throw std::logic_error("the wad image holds fewer entries than asked to write");
  }
  const std::unique_ptr<FileReplacement> replacement = fileSystem.BeginReplacement(fileName);
  File& wad = replacement->Content();
  wad.WriteAt(0, std::span(reinterpret_cast<const char*>(&n), sizeof n));
  wad.WriteAt(static_cast<std::int32_t>(kCountSize),
              std::span(reinterpret_cast<const char*>(image.Entries.data()), count * kRecordSize));
  BlockWriter blocks(wad, fileSystem);
  for (std::size_t i = 0; i < count; ++i) blocks.Write(image.Entries[i], image.Data[i]);
  blocks.Flush();
  replacement->Commit();
}

}  // namespace quillmoor
