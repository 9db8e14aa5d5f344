#include "wad/WadDirectory.h"

#include <algorithm>

#include "io/IoError.h"

namespace quillmoor {

std::vector<WadDirectoryEntry> ReadWadDirectory(File& wad, const std::string& fileName,
                                                std::int64_t fileLength) {
  std::int32_t count = 0;
  wad.ReadAt(0, std::span(reinterpret_cast<char*>(&count), sizeof count));
  if (count < 0 || DirectoryEnd(count) > fileLength) {
    throw IoError(IoFailure::ReadBeyondEnd, 0, fileName);
  }
  std::vector<WadDirectoryEntry> entries(static_cast<std::size_t>(count));
  wad.ReadAt(static_cast<std::int32_t>(kCountSize),
             std::span(reinterpret_cast<char*>(entries.data()), entries.size() * kRecordSize));
  return entries;
}

bool BlockInside(const WadDirectoryEntry& entry, std::int64_t fileLength) {
  return entry.Offset >= 0 && entry.Size >= 0 &&
         (entry.Size == 0 || std::int64_t{entry.Offset} + entry.Size <= fileLength);
}

void CheckBlockInside(const WadDirectoryEntry& entry, std::int64_t fileLength,
                      const std::string& fileName) {
  if (!BlockInside(entry, fileLength)) throw IoError(IoFailure::ReadBeyondEnd, 0, fileName);
}

bool BlocksClearOfDirectory(std::span<const WadDirectoryEntry> records, std::int64_t count) {
  const std::int64_t directoryEnd = DirectoryEnd(count);
  return std::none_of(records.begin(), records.end(), [&](const WadDirectoryEntry& entry) {
    return entry.Offset < 0 || (entry.Size > 0 && entry.Offset < directoryEnd);
  });
}

WadReader::WadReader(const std::string& fileName, FileSystem& fileSystem)
    : fileName_(fileName),
      file_(fileSystem.OpenForReading(fileName)),
      fileLength_(file_->Length()),
      entries_(ReadWadDirectory(*file_, fileName_, fileLength_)) {}

void WadReader::ReadBlock(const WadDirectoryEntry& entry, std::string& into) {
  CheckBlockInside(entry, fileLength_, fileName_);
  into.resize(static_cast<std::size_t>(entry.Size));
  file_->ReadAt(entry.Offset, into);
}

void WadReader::Close() { file_->Close(); }

}  // namespace quillmoor
