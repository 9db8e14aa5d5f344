#include "paths/FileListing.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "paths/FileSystemPath.h"
#include "paths/FolderIdentity.h"
#include "paths/PathText.h"
#include "paths/Utf8.h"
#include "paths/Wildcards.h"

namespace quillmoor {
namespace {

// The upper case Windows gives the letters of the game's code page; other characters stay.
char32_t UpperCase(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à-þ, but not ÷
  switch (c) {
    case 0xFF:  // ÿ
      return 0x178;
    case 0x161:  // š
    case 0x153:  // œ
    case 0x17E:  // ž
      return c - 1;
    default:
      return c;
  }
}

// The characters of a file name or mask, upper-cased. A byte that is not part of well-formed
// UTF-8 stands for itself, so every name still has a key.
std::u32string UpperCaseCharacters(std::string_view text) {
  std::u32string characters;
  characters.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<Utf8Character> character = ReadUtf8Character(text, at);
    if (character) {
      characters += UpperCase(character->codePoint);
      at += character->length;
    } else {
      characters += static_cast<unsigned char>(text[at]);
      ++at;
    }
  }
  return characters;
}

// As on Windows, a closing ".*" also takes names without an extension, so "*.*" takes them all.
bool MatchesMask(std::u32string_view name, std::u32string_view mask) {
  // Both sides are upper-cased already.
  if (MatchesWildcards(name, mask)) return true;
  return mask.ends_with(U".*") && MatchesWildcards(name, mask.substr(0, mask.size() - 2));
}

struct FolderEntry {
  std::string name;
  std::u32string key;  // the upper-cased characters the order compares first
  bool plainFile;      // a file, not a folder or a symbolic link
};

// The order NTFS keeps a folder in: upper-cased characters first, then the raw bytes, so that
// names differing only in case still come in one fixed order.
bool ComesBefore(const FolderEntry& a, const FolderEntry& b) {
  if (a.key != b.key) return a.key < b.key;
  return a.name < b.name;
}

// The names in folder matching the mask, in folder order; none when it cannot be read.
// The enumeration never yields "." and "..".
std::vector<FolderEntry> MatchingEntries(const std::string& folder, std::u32string_view mask) {
  std::vector<FolderEntry> entries;
  std::error_code error;
  for (std::filesystem::directory_iterator it(PathFromText(folder), error), end;
       !error && it != end; it.increment(error)) {
    std::string name = TextFromPath(it->path().filename());
    std::u32string key = UpperCaseCharacters(name);
    // The folder's own listing tells a plain file without a further look at it.
    std::error_code unknown;
    const bool plainFile = !it->is_symlink(unknown) && it->is_regular_file(unknown);
    if (MatchesMask(key, mask)) entries.push_back({std::move(name), std::move(key), plainFile});
  }
  std::sort(entries.begin(), entries.end(), ComesBefore);
  return entries;
}

struct ListingRequest {
  std::u32string mask;
  bool recurse;
  bool includeFolders;
};

// Appends the listing of folder to listing. openFolders holds the folders being listed
// further up, which a symbolic link must not lead back into.
void AppendListing(std::string folder, const ListingRequest& request,
                   std::vector<FolderIdentity>& openFolders, std::vector<std::string>& listing) {
  if (folder.empty() || folder.back() != kNativeSeparator) folder += kNativeSeparator;
  const std::optional<FolderIdentity> self = FolderAt(folder);
  if (self) openFolders.push_back(*self);

  for (const FolderEntry& entry : MatchingEntries(folder, request.mask)) {
    std::string path = folder + entry.name;
    const std::optional<FolderIdentity> subFolder = entry.plainFile ? std::nullopt : FolderAt(path);
    if (!subFolder) {
      listing.push_back(std::move(path));
    } else if (request.recurse) {
      const bool open =
          std::find(openFolders.begin(), openFolders.end(), *subFolder) != openFolders.end();
      if (!open) AppendListing(std::move(path), request, openFolders, listing);
    } else if (request.includeFolders) {
      listing.push_back(std::move(path));
    }
  }

  if (self) openFolders.pop_back();
  if (request.includeFolders) listing.push_back(std::move(folder));
}

}  // namespace

// Every kind of entry is asked for, so the attributes change nothing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask, bool recurse,
                                   bool includeFolders, [[maybe_unused]] std::uint8_t attributes) {
  const ListingRequest request{UpperCaseCharacters(mask), recurse, includeFolders};
  std::vector<FolderIdentity> openFolders;
  std::vector<std::string> listing;
  AppendListing(folder, request, openFolders, listing);
  return listing;
}

}  // namespace quillmoor
