#include "wad/WadImage.h"

#include <stdexcept>

#include "wad/WadDirectory.h"

namespace quillmoor {

void LoadWad(WadImage& image, const std::string& fileName, FileSystem& fileSystem) {
  const std::unique_ptr<File> wad = fileSystem.OpenForReadingAndWriting(fileName);
  const std::int64_t fileLength = wad->Length();
  std::vector<WadDirectoryEntry> entries = ReadWadDirectory(*wad, fileName, fileLength);
  for (const WadDirectoryEntry& entry : entries) CheckBlockInside(entry, fileLength, fileName);

  std::vector<std::string> data(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    data[i].resize(static_cast<std::size_t>(entries[i].Size));
    wad->ReadAt(entries[i].Offset, data[i]);
  }
  wad->Close();

  image.Count = static_cast<std::int32_t>(entries.size());
  image.Entries = std::move(entries);
  image.Data = std::move(data);
}

namespace {

// The first size bytes of an entry's data, which the image must hold.
std::span<const char> BlockOf(const WadImage& image, std::size_t i) {
  const std::int32_t size = image.Entries[i].Size;
  if (size < 0 || image.Data[i].size() < static_cast<std::size_t>(size)) {
    throw std::logic_error("the wad image holds less data than an entry's size");
  }
  return std::span(image.Data[i].data(), static_cast<std::size_t>(size));
}

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
  for (std::size_t i = 0; i < count; ++i) {
    const std::span<const char> block = BlockOf(image, i);
    if (!block.empty()) wad.WriteAt(image.Entries[i].Offset, block);
  }
  replacement->Commit();
}

}  // namespace quillmoor
