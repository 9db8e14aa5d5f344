#include "operations/Extraction.h"

#include <filesystem>
#include <optional>

#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileExists.h"
#include "paths/FileSystemPath.h"
#include "paths/PathText.h"
#include "operations/ExtractionSafety.h"
#include "operations/Messages.h"
#include "operations/StatusText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

namespace {

// The folder name the dialog offers: the wad's file name without its ".wad".
std::string BaseName(const std::string& wadName) {
  const std::string fileName = FileNamePart(wadName);
  return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

// Makes the folders above each file written, skipping the stat calls for a folder that was
// just made: the entries of a folder mostly follow each other.
class FolderMaker {
 public:
  void MakeFoldersAbove(const std::string& file) {
    std::string folder = FolderPart(file);
    if (folder == lastFolder_) return;
    std::error_code ignored;  // a folder that can't be made fails at its file's creation
    std::filesystem::create_directories(PathFromText(folder), ignored);
    lastFolder_ = std::move(folder);
  }

 private:
  std::string lastFolder_;
};

void WriteEntryFile(const std::string& destination, const std::string& name,
                    const std::string& data, FolderMaker& folders, FileSystem& fileSystem) {
  const std::string file = destination + kNativeSeparator + NativePathFromEntryText(name);
  folders.MakeFoldersAbove(file);
  const std::unique_ptr<File> out = fileSystem.CreateOrTruncate(file);
  out->WriteAt(0, data);
  out->Close();
}

// Extracts every entry of the wad into destination, or refuses when a name would leave it.
// Gives false when refused.
bool ExtractInto(Host& host, const std::string& wadName, const std::string& destination,
                 FileSystem& fileSystem) {
  WadReader wad(wadName, fileSystem);
  const std::vector<WadDirectoryEntry>& entries = wad.Entries();
  if (const std::optional<std::string> unsafe = FirstUnsafeName(entries, destination)) {
    host.ShowMessage(kUnsafeNameMessage + Windows1252ToUtf8(*unsafe));
    return false;
  }
  const auto count = static_cast<int>(entries.size());
  std::string data;
  FolderMaker folders;
  for (int i = 0; i < count; ++i) {
    const int percent = static_cast<int>(static_cast<long long>(i) * 100 / count);
    host.ShowProgress(percent, ProgressText("Extracting files : ", percent));
    wad.ReadBlock(entries[i], data);
    WriteEntryFile(destination, EntryName(entries[i]), data, folders, fileSystem);
  }
  wad.Close();
  return true;
}

}  // namespace

void ExtractWad(Host& host, FileSystem& fileSystem) {
  const std::string wadName = host.WadText();
  if (!FileExists(wadName)) {
    host.ShowMessage(kNoWadFileMessage);
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
    if (!ExtractInto(host, wadName, answer.fileName, fileSystem)) return;
    host.ShowProgress(0, CompletionText("Wad extracted in ", host.TimeSource().Now() - startTime,
                                        host.DecimalSeparator()));
  }
  settings.Write(kExtractPathSetting, FolderPart(answer.fileName));
}

}  // namespace quillmoor
