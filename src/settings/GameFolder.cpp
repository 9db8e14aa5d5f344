#include "settings/GameFolder.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "paths/PathText.h"

namespace quillmoor {
namespace {

// Whether folder names a folder that holds the file "GP4.exe". The empty text names no folder.
bool HoldsGameProgram(const std::string& folder) {
  std::error_code ignored;
  return !folder.empty() &&
         std::filesystem::is_regular_file(folder + kNativeSeparator + "GP4.exe", ignored);
}

}  // namespace

std::string GetPath(SettingsValues& store, const InstallationRecordReader& readRecord,
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
