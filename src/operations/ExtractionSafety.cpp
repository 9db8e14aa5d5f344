#include "operations/ExtractionSafety.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

#include "paths/EntryNames.h"
#include "paths/FileSystemPath.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasParentPart(std::string_view name) {
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

// What is at path, a symbolic link taken as itself; "not found" when it can't be told.
std::filesystem::file_status StatusOfLinkItself(const std::string& path) {
  std::error_code error;
  return std::filesystem::symlink_status(PathFromText(path), error);
}

bool IsUnsafeEntryName(std::string_view name) {
  if (name.empty() || IsSeparator(name.front())) return true;
  const bool driveQualified =
      name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
  return driveQualified || HasParentPart(name);
}

// Whether a folder on the way from root to the file at relativePath is, already, a symbolic
// link: writing below it would follow the link. The file itself may be a link: it is replaced.
// Folders already checked are in checked.
bool GoesThroughLink(const std::string& root, const std::string& relativePath,
                     std::set<std::string>& checked) {
  std::string at = root;
  std::size_t start = 0;
  for (std::size_t slash = relativePath.find(kNativeSeparator); slash != std::string::npos;
       slash = relativePath.find(kNativeSeparator, start)) {
    at.append(1, kNativeSeparator).append(relativePath, start, slash - start);
    start = slash + 1;
    if (!checked.insert(at).second) continue;
    const std::filesystem::file_status status = StatusOfLinkItself(at);
    if (!std::filesystem::exists(status)) return false;  // made fresh from here on
    if (std::filesystem::is_symlink(status)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> FirstUnsafeName(const std::vector<WadDirectoryEntry>& entries,
                                           const std::string& destination) {
  std::set<std::string> checked;
  for (const WadDirectoryEntry& entry : entries) {
    const std::string name = EntryName(entry);
    if (IsUnsafeEntryName(name) ||
        GoesThroughLink(destination, NativePathFromEntryText(name), checked)) {
      return name;
    }
  }
  return std::nullopt;
}

}  // namespace quillmoor
