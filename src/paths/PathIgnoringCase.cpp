#include "paths/PathIgnoringCase.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "paths/CodePage.h"
#include "paths/FileSystemPath.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

namespace fs = std::filesystem;

// A file name lower-cased with the code page's rules; nothing when the code page can't spell
// it, so that such a name only ever equals itself.
std::optional<std::string> LowerName(const std::string& name) {
  const std::optional<std::string> bytes = Utf8ToWindows1252(name);
  if (!bytes) return std::nullopt;
  return LowerCase1252(*bytes);
}

}  // namespace

std::string PathIgnoringCase(const std::string& path) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(PathFromText(path), error))) return path;
  const std::string folder = FolderPart(path);
  const std::optional<std::string> wanted = LowerName(FileNamePart(path));
  if (!wanted || wanted->empty()) return path;
  std::optional<std::string> found;
  for (fs::directory_iterator entry(PathFromText(folder.empty() ? "." : folder), error), end;
       !error && entry != end; entry.increment(error)) {
    const std::string name = TextFromPath(entry->path().filename());
    if (LowerName(name) == wanted && (!found || name < *found)) found = name;
  }
  return found ? folder + *found : path;
}

}  // namespace quillmoor
