#include "settings/GameFolder.h"

#include <optional>

#include "paths/FileExists.h"
#include "paths/PathText.h"

namespace quillmoor {
namespace {

// Whether folder names a folder that holds the file "GP4.exe". The empty text names no folder.
bool HoldsGameProgram(const std::string& folder) {
  return !folder.empty() && FileExists(folder + kNativeSeparator + "GP4.exe");
}

}  // namespace

std::string FindGameFolder(SettingsValues& store, const InstallationRecordReader& readRecord,
                    bool& gameFolderFound) {
  const std::string chosen = store.Read(kGamePathSetting, "");
  if (HoldsGameProgram(chosen)) {
    gameFolderFound = true;
    return chosen;
  }
  const std::optional<std::string> recorded = readRecord();
  if (!recorded) return "";
  gameFolderFound = HoldsGameProgram(*recorded);
  return gameFolderFound ? *recorded : "";
}

}  // namespace quillmoor
