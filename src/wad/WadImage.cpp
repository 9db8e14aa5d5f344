#include "wad/WadImage.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "io/Commit.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

void LoadWad(WadImage& image, std::unique_ptr<File> wad, const std::string& fileName) {
  const std::int64_t fileLength = wad->Length();
  std::vector<WadDirectoryEntry> entries = ReadWadDirectory(*wad, fileName, fileLength);
  for (const WadDirectoryEntry& entry : entries) CheckBlockInside(entry, fileLength, fileName);

  std::vector<BlockData> data;
  data.reserve(entries.size());
  for (const WadDirectoryEntry& entry : entries) data.emplace_back(LoadedRange{entry.Offset});
  image.Count = static_cast<std::int32_t>(entries.size());
  image.Entries = std::move(entries);
  image.Data = std::move(data);
  image.Loaded = std::move(wad);
}

namespace {

// Writes the blocks in directory order. Blocks that follow each other in the loaded wad and in
// the new one alike are copied with one call: a wad's blocks mostly do. A source file is
// opened for its block and closed again.
class BlockWriter {
 public:
  BlockWriter(File& wad, File* loaded, FileSystem& fileSystem)
      : wad_(wad), loaded_(loaded), fileSystem_(fileSystem) {}

  void Write(const WadDirectoryEntry& entry, const BlockData& data) {
    if (entry.Size == 0) return;
    if (const auto* range = std::get_if<LoadedRange>(&data)) {
      Continue(entry, *range);
      return;
    }
    Flush();
    if (const auto* range = std::get_if<FileRange>(&data)) {
      const std::unique_ptr<File> source = fileSystem_.OpenForReading(range->file);
      wad_.CopyFrom(*source, range->position, entry.Offset, entry.Size);
      source->Close();
      return;
    }
    const std::string& bytes = std::get<std::string>(data);
    if (entry.Size < 0 || bytes.size() < static_cast<std::size_t>(entry.Size)) {
      throw std::logic_error("the wad image holds less data than an entry's size");
    }
    wad_.WriteAt(entry.Offset, std::span(bytes.data(), static_cast<std::size_t>(entry.Size)));
  }

  // Copies the blocks of the loaded wad still pending.
  void Flush() {
    if (pendingSize_ == 0) return;
    if (loaded_ == nullptr) throw std::logic_error("the wad image holds no loaded wad to copy");
    wad_.CopyFrom(*loaded_, pendingPosition_, pendingOffset_,
                  static_cast<std::int32_t>(pendingSize_));
    pendingSize_ = 0;
  }

 private:
  void Continue(const WadDirectoryEntry& entry, const LoadedRange& range) {
    const bool continues = pendingSize_ > 0 &&
                           std::int64_t{pendingPosition_} + pendingSize_ == range.position &&
                           std::int64_t{pendingOffset_} + pendingSize_ == entry.Offset;
    if (!continues) {
      Flush();
      pendingPosition_ = range.position;
      pendingOffset_ = entry.Offset;
    }
    pendingSize_ += entry.Size;
  }

  File& wad_;
  File* loaded_;
  FileSystem& fileSystem_;
  // The blocks of the loaded wad not copied yet: where they begin in it and in the new wad, and
  // their size together (0 when there are none).
  std::int32_t pendingPosition_ = 0;
  std::int32_t pendingOffset_ = 0;
  std::int64_t pendingSize_ = 0;
};

// Whether the count and the records read back from wad are those of the image, and every
// block lies inside the file. Reads the directory a slice at a time.
bool ReadBackMatches(File& wad, const WadImage& image, std::int32_t n) {
  const std::int64_t fileLength = wad.Length();
  if (DirectoryEnd(n) > fileLength) return false;
  std::int32_t count = 0;
  wad.ReadAt(0, std::span(reinterpret_cast<char*>(&count), sizeof count));
  if (count != n) return false;
  constexpr std::size_t kSlice = 4096;
  std::vector<WadDirectoryEntry> slice;
  for (std::size_t first = 0; first < static_cast<std::size_t>(n); first += kSlice) {
    slice.resize(std::min(kSlice, static_cast<std::size_t>(n) - first));
    wad.ReadAt(static_cast<std::int32_t>(DirectoryEnd(static_cast<std::int64_t>(first))),
               std::span(reinterpret_cast<char*>(slice.data()), slice.size() * kRecordSize));
    if (std::memcmp(slice.data(), image.Entries.data() + first, slice.size() * kRecordSize) != 0) {
      return false;
    }
    for (const WadDirectoryEntry& entry : slice) {
      if (!BlockInside(entry, fileLength)) return false;
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<FileReplacement> WriteWad(const WadImage& image, const std::string& fileName,
                                          std::int32_t n, FileSystem& fileSystem) {
  const auto count = static_cast<std::size_t>(n);
  if (n < 0 || count > image.Entries.size() || count > image.Data.size()) {
    throw std::logic_error("the wad image holds fewer entries than asked to write");
  }
  auto replacement = std::make_unique<FileReplacement>(fileSystem, fileName);
  File& wad = replacement->Content();
  wad.WriteAt(0, std::span(reinterpret_cast<const char*>(&n), sizeof n));
  wad.WriteAt(static_cast<std::int32_t>(kCountSize),
              std::span(reinterpret_cast<const char*>(image.Entries.data()), count * kRecordSize));
  BlockWriter blocks(wad, image.Loaded.get(), fileSystem);
  for (std::size_t i = 0; i < count; ++i) blocks.Write(image.Entries[i], image.Data[i]);
  blocks.Flush();
  if (!ReadBackMatches(wad, image, n)) return nullptr;
  replacement->Finish();
  return replacement;
}

bool RebuildWad(const WadImage& image, const std::string& fileName, std::int32_t n,
                FileSystem& fileSystem) {
  std::unique_ptr<FileReplacement> replacement = WriteWad(image, fileName, n, fileSystem);
  if (!replacement) return false;
  Commit commit(fileSystem);
  commit.Replace(std::move(replacement), false);
  commit.Run();
  return true;
}

}  // namespace quillmoor
