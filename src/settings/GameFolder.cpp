#include "settings/GameFolder.h"

#include <optional>

#include "paths/FileExists.h"
#include "paths/PathIgnoringCase.h"
#include "paths/PathText.h"

namespace quillmoor {

bool HoldsGameProgram(const std::string& folder) {
  return !folder.empty() && FileExists(PathIgnoringCase(folder + kNativeSeparator + "GP4.exe"));
}

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
