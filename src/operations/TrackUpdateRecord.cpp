#include "operations/TrackUpdateRecord.h"

#include <string_view>

namespace quillmoor {

namespace {

// The record is text: a first line, then one wad's file name a line.
constexpr std::string_view kFirstLine = "quillmoor track update 1";
constexpr std::string_view kRecordName = "quillmoor-track-update.txt";

}  // namespace

std::string TrackUpdateRecordFile(FileSystem& fileSystem, const std::string& firstTrackWad) {
  return fileSystem.FolderOf(firstTrackWad) + std::string(kRecordName);
}

std::unique_ptr<FileReplacement> WriteTrackUpdateRecord(FileSystem& fileSystem,
                                                        const std::string& recordFile,
                                                        const std::vector<std::string>& wads) {
  std::string text = std::string(kFirstLine) + "\n";
  for (const std::string& wad : wads) text += wad.substr(fileSystem.FolderOf(wad).size()) + "\n";
  auto record = std::make_unique<FileReplacement>(fileSystem, recordFile);
  record->Content().WriteAt(0, text);
  record->Finish();
  return record;
}

std::optional<std::vector<std::string>> ReadTrackUpdateRecord(FileSystem& fileSystem,
                                                              const std::string& recordFile) {
  if (!fileSystem.Exists(recordFile)) return std::nullopt;
  const std::unique_ptr<File> file = fileSystem.OpenForReading(recordFile);
  // A record names at most the 17 track wads: anything much longer is no record.
  const std::int64_t length = file->Length();
  if (length > 4096) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  file->ReadAt(0, text);
  const std::string folder = fileSystem.FolderOf(recordFile);
  std::vector<std::string> wads;
  std::string_view rest = text;
  bool first = true;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
    } else if (line.empty() || line.find_first_of("/\\") != std::string_view::npos) {
      return std::nullopt;
    } else {
      wads.push_back(folder + std::string(line));
    }
  }
  if (first || wads.empty()) return std::nullopt;
  return wads;
}

}  // namespace quillmoor
