#include "operations/Extraction.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <optional>
#include <set>

#include "io/IoError.h"
#include "operations/ExtractionSafety.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/StatusText.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

namespace {

// The folder name the dialog offers: the wad's file name without its ".wad".
std::string BaseName(const std::string& wadName) {
  const std::string fileName = FileNamePart(wadName);
  return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

// Throws DiskFull unless the file system of destination has room for every entry's file and
// every folder of their names, counted in its blocks and its free entries: a wad whose blocks
// overlap can describe far more data than it holds, and a thousand one-byte entries take a
// thousand blocks.
void CheckRoomFor(const std::vector<WadDirectoryEntry>& entries, const std::string& destination,
                  FileSystem& fileSystem) {
  std::vector<std::int64_t> sizes;
  std::set<std::string> folders;
  sizes.reserve(entries.size());
  for (const WadDirectoryEntry& entry : entries) {
    sizes.push_back(std::max(entry.Size, 0));
    const std::string name = EntryName(entry);
    for (std::size_t at = name.find(kEntrySeparator); at != std::string::npos;
         at = name.find(kEntrySeparator, at + 1)) {
      folders.insert(name.substr(0, at));
    }
  }
  const auto newFolders = static_cast<std::int64_t>(folders.size());
  if (!fileSystem.FreeSpaceFor(destination).HasRoomFor(sizes, newFolders)) {
    throw IoError(IoFailure::DiskFull, ENOSPC, destination);
  }
}

void WriteEntryFile(FolderTree& tree, const std::string& name, const std::string& data) {
  const std::unique_ptr<NewFile> file = tree.BeginFile(NativePathFromEntryText(name));
  file->Content().WriteAt(0, data);
  file->PutInPlace();
}

std::vector<WadDirectoryEntry> SelectedEntries(const std::vector<WadDirectoryEntry>& entries,
                                               const ExtractionOptions& options) {
  std::vector<WadDirectoryEntry> selected;
  std::ranges::copy_if(entries, std::back_inserter(selected), options.selects);
  return selected;
}

// Extracts the selected entries of the wad into destination, or refuses when a name would
// leave it. Gives false when refused.
bool ExtractInto(Host& host, const std::string& wadName, const std::string& destination,
                 FileSystem& fileSystem, const ExtractionOptions& options) {
  WadReader wad(wadName, fileSystem);
  std::vector<WadDirectoryEntry> selected;
  if (options.selects) selected = SelectedEntries(wad.Entries(), options);
  const std::vector<WadDirectoryEntry>& entries = options.selects ? selected : wad.Entries();
  if (const std::optional<std::string> unsafe = FirstUnsafeName(entries, destination)) {
    host.ShowMessage(kUnsafeNameMessage + Windows1252ToUtf8(*unsafe));
    return false;
  }
  CheckRoomFor(entries, destination, fileSystem);
  const auto count = static_cast<int>(entries.size());
  // With nothing to extract no folder is made, not even the destination.
  const std::unique_ptr<FolderTree> tree =
      count == 0 ? nullptr : fileSystem.OpenFolderTree(destination);
  std::string data;
  for (int i = 0; i < count; ++i) {
    const int percent = static_cast<int>(static_cast<long long>(i) * 100 / count);
    host.ShowProgress(percent, ProgressText("Extracting files : ", percent));
    wad.ReadBlock(entries[i], data);
    WriteEntryFile(*tree, EntryName(entries[i]), data);
    if (options.report) options.report(Windows1252ToUtf8(EntryName(entries[i])));
  }
  wad.Close();
  return true;
}

}  // namespace

void ExtractWad(Host& host, FileSystem& fileSystem, const ExtractionOptions& options) {
  const std::string wadName = host.WadText();
  if (IsSpecialFile(wadName)) {
    host.ShowMessage(kSpecialFileMessage + wadName);
    return;
  }
  if (!FileExists(wadName)) {
    host.ShowMessage(kNoWadFileMessage);
    return;
  }
  if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, {wadName})) {
    host.ShowMessage(*refusal);
    return;
  }
  SettingsValues& settings = host.Settings();
  const std::string folder = settings.Read(kExtractPathSetting, FolderPart(wadName));
  const std::string offered = folder + BaseName(wadName);
  settings.Write(kWadNameSetting, wadName);

  const SaveDialogAnswer answer = host.AskSaveFileName(offered, "");
  if (answer.confirmed) {
    const Clock::TimePoint startTime = host.TimeSource().Now();
    host.RepaintNow();
    if (!ExtractInto(host, wadName, answer.fileName, fileSystem, options)) return;
    host.ShowProgress(0, CompletionText("Wad extracted in ", host.TimeSource().Now() - startTime,
                                        host.DecimalSeparator()));
  }
  settings.Write(kExtractPathSetting, FolderPart(answer.fileName));
}

}  // namespace quillmoor
