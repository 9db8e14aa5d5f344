#include "operations/Creation.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <variant>

#include "io/Commit.h"
#include "io/IoError.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/SourceFolder.h"
#include "operations/SourceKind.h"
#include "operations/StatusText.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"
#include "wad/WadImage.h"

namespace quillmoor {

namespace {

// The entries the sources become: their names below the source folder, in listing order.
// Gives the refusal instead when a name or the whole can't go into a wad.
std::variant<std::vector<std::string>, std::string> EntryNames(
    const std::string& sourceText, const std::vector<std::string>& sources,
    FileSystem& fileSystem) {
  const std::size_t folderLength =
      sourceText.size() + (sourceText.ends_with(kNativeSeparator) ? 0 : 1);
  std::vector<std::string> names;
  names.reserve(sources.size());
  std::int64_t wadLength = DirectoryEnd(static_cast<std::int64_t>(sources.size()));
  for (const std::string& path : sources) {
    const std::optional<std::string> name = EntryTextFromNativePath(path.substr(folderLength));
    if (!name) return kUnspellableNameMessage + path;
    if (name->size() > kNameSize) return kNameTooLongMessage + Windows1252ToUtf8(*name);
    wadLength += fileSystem.LengthOf(path);
    if (wadLength > kLargestWadSize) return std::string(kTooLargeWadMessage);
    names.push_back(*name);
  }
  return names;
}

// The image of the new wad: one record per source, the data left in the source files.
// Nothing when the sources have grown past what a wad can hold since they were measured.
std::optional<WadImage> NewWadImage(const std::vector<std::string>& sources,
                                    const std::vector<std::string>& names, Host& host,
                                    FileSystem& fileSystem) {
  const auto count = static_cast<std::int32_t>(sources.size());
  WadImage image;
  image.Count = count;
  image.Entries.resize(sources.size());
  image.Data.resize(sources.size());
  std::int64_t position = DirectoryEnd(count);
  for (std::int32_t i = 0; i < count; ++i) {
    const int percent = static_cast<int>((static_cast<std::int64_t>(i) + 1) * 100 / count);
    host.ShowProgress(percent, ProgressText("Creating files : ", percent));
    const std::int64_t size = fileSystem.LengthOf(sources[i]);
    if (position + size > kLargestWadSize) return std::nullopt;
    WadDirectoryEntry& entry = image.Entries[i];
    SetEntryName(entry, names[i]);
    entry.Offset = static_cast<std::int32_t>(position);
    entry.Size = static_cast<std::int32_t>(size);
    image.Data[i] = FileRange{sources[i], 0};
    position += size;
  }
  return image;
}

// The length of the wad the image makes: its blocks follow each other behind the directory.
std::int64_t WadLength(const WadImage& image) {
  std::int64_t length = DirectoryEnd(image.Count);
  for (const WadDirectoryEntry& entry : image.Entries) {
    length = std::max(length, static_cast<std::int64_t>(entry.Offset) + entry.Size);
  }
  return length;
}

}  // namespace

void CreateWad(Host& host, ProgramState& state, FileSystem& fileSystem,
               const CreationOptions& options) {
  const std::string sourceText = host.SourceText();
  if (sourceText.empty() || sourceText == kNoSourceText) {
    host.ShowMessage(kNoSourceFolderMessage);
    return;
  }
  // A wad is packed from a folder that holds at least one file; a file alone is not a folder.
  const SourceKind kind = KindOfSource(sourceText);
  if (kind == SourceKind::Missing) {
    host.ShowMessage(kWrongFilePathMessage);
    return;
  }
  state.SourceList =
      kind == SourceKind::Folder ? SourceFolderFiles(sourceText) : std::vector<std::string>{};
  if (state.SourceList.empty()) {
    host.ShowMessage(kNoSourceFolderMessage);
    return;
  }
  if (const std::string* special = FirstSpecialFile(state.SourceList)) {
    host.ShowMessage(kSpecialFileMessage + *special);
    return;
  }
  host.Settings().Write(kFileNameSetting, sourceText);
  auto names = EntryNames(sourceText, state.SourceList, fileSystem);
  if (const std::string* refusal = std::get_if<std::string>(&names)) {
    host.ShowMessage(*refusal);
    return;
  }

  const SaveDialogAnswer answer =
      host.AskSaveFileName(FileNamePart(sourceText) + ".wad", "Wad file(*.wad)|*.wad");
  if (!answer.confirmed) return;
  // Only a file is replaced by the new wad: never a device a link leads to.
  if (IsSpecialFile(answer.fileName)) {
    host.ShowMessage(kSpecialFileMessage + answer.fileName);
    return;
  }
  const Clock::TimePoint startTime = host.TimeSource().Now();
  host.RepaintNow();
  if (const std::optional<std::string> refusal =
          FinishEarlierChanges(fileSystem, {answer.fileName})) {
    host.ShowMessage(*refusal);
    return;
  }
  // A new wad's name is held under a lock of its own until the wad is in place, so that two
  // creations of one name take turns. An existing wad (also one that the creation waited for
  // made) is replaced under the lock an update takes, and only when this user may write it.
  std::unique_ptr<NameLock> newName;
  if (!FileExists(answer.fileName)) {
    newName = fileSystem.LockNewName(answer.fileName, options.lockWait);
    if (!newName) {
      host.ShowMessage(kWadBusyMessage + answer.fileName);
      return;
    }
  }
  std::unique_ptr<File> replaced;
  if (FileExists(answer.fileName)) {
    replaced = fileSystem.OpenExclusive(answer.fileName, options.lockWait);
    if (!replaced) {
      host.ShowMessage(kWadBusyMessage + answer.fileName);
      return;
    }
  }
  const std::optional<WadImage> image =
      NewWadImage(state.SourceList, std::get<std::vector<std::string>>(names), host, fileSystem);
  if (!image) {
    host.ShowMessage(kTooLargeWadMessage);
    return;
  }
  if (!fileSystem.FreeSpaceFor(answer.fileName).HasRoomFor({WadLength(*image)}, 0)) {
    throw IoError(IoFailure::DiskFull, ENOSPC, answer.fileName);
  }
  std::unique_ptr<FileReplacement> written =
      WriteWad(*image, answer.fileName, image->Count, fileSystem);
  if (!written) {
    host.ShowMessage(kDamagedWadMessage);
    return;
  }
  const bool keptPrevious = replaced && options.keepBackup;
  Commit commit(fileSystem);
  commit.Replace(std::move(written), keptPrevious);
  commit.Run();
  // What an undo puts back is this creation's.
  state.ReplacedWads.clear();
  state.TrackUpdateRecord.clear();
  if (keptPrevious) state.ReplacedWads = {answer.fileName};
  host.ShowProgress(0, CompletionText("Wad created in ", host.TimeSource().Now() - startTime,
                                      host.DecimalSeparator()));
}

}  // namespace quillmoor
