#include "operations/ExtractionSafety.h"

#include <cctype>
#include <filesystem>
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

bool IsSymbolicLink(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
}

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool IsInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
  const auto [folderEnd, pathAt] =
      std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return folderEnd == folder.end();
}

bool IsUnsafeEntryName(std::string_view name) {
  if (name.empty() || IsSeparator(name.front())) return true;
  const bool driveQualified =
      name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
  return driveQualified || HasParentPart(name);
}

bool GoesThroughOutsideLink(const std::filesystem::path& root, const std::string& relativePath) {
  std::error_code error;
  std::filesystem::path at = root;
  for (const std::filesystem::path& part : PathFromText(relativePath)) {
    at /= part;
    if (!Exists(at)) return false;
    if (!IsSymbolicLink(at)) continue;
    const std::filesystem::path target = std::filesystem::canonical(at, error);
    if (error || !IsInside(target, root)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> FirstUnsafeName(const std::vector<WadDirectoryEntry>& entries,
                                           const std::string& destination) {
  std::error_code missing;  // nothing is below a destination that doesn't exist yet
  const std::filesystem::path root = std::filesystem::canonical(PathFromText(destination), missing);
  for (const WadDirectoryEntry& entry : entries) {
    const std::string name = EntryName(entry);
    if (IsUnsafeEntryName(name) ||
        (!missing && GoesThroughOutsideLink(root, NativePathFromEntryText(name)))) {
      return name;
    }
  }
  return std::nullopt;
}

}  // namespace quillmoor
