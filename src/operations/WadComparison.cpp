#include "operations/WadComparison.h"

#include <optional>
#include <unordered_map>

#include "operations/SourceFolder.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

namespace {

class WadEntries final : public ComparedSide {
 public:
  WadEntries(const std::string& wadName, FileSystem& fileSystem) : wad_(wadName, fileSystem) {
    for (const WadDirectoryEntry& entry : wad_.Entries()) {
      CheckBlockInside(entry, wad_.FileLength(), wadName);
      const std::string name = EntryName(entry);
      entries_.push_back({LowerCase1252(name), Windows1252ToUtf8(name), entry.Size});
    }
  }

  const std::vector<ComparedEntry>& Entries() const override { return entries_; }
  void ReadEntry(std::size_t index, std::string& into) override {
    wad_.ReadBlock(wad_.Entries()[index], into);
  }

 private:
  WadReader wad_;
  std::vector<ComparedEntry> entries_;
};

class FolderFiles final : public ComparedSide {
 public:
  FolderFiles(const std::string& folder, FileSystem& fileSystem)
      : paths_(SourceFolderFiles(folder)), fileSystem_(fileSystem) {
    const std::size_t folderLength = folder.size() + (folder.ends_with(kNativeSeparator) ? 0 : 1);
    for (const std::string& path : paths_) {
      const std::string below = path.substr(folderLength);
      const std::optional<std::string> name = EntryTextFromNativePath(below);
      // No entry name holds a NUL, so a path that can't be one pairs with nothing.
      std::string key = name ? LowerCase1252(*name) : std::string(1, '\0') + below;
      std::string shown = name ? Windows1252ToUtf8(*name) : below;
      entries_.push_back({std::move(key), std::move(shown), fileSystem.LengthOf(path)});
    }
  }

  const std::vector<ComparedEntry>& Entries() const override { return entries_; }
  void ReadEntry(std::size_t index, std::string& into) override {
    const std::unique_ptr<File> file = fileSystem_.OpenForReading(paths_[index]);
    into.resize(static_cast<std::size_t>(entries_[index].size));
    file->ReadAt(0, into);
    file->Close();
  }

 private:
  std::vector<std::string> paths_;
  FileSystem& fileSystem_;
  std::vector<ComparedEntry> entries_;
};

// For each entry of side, the index of its partner on other, if any: the n-th entry of a key
// on side pairs with the n-th of that key on other.
std::vector<std::optional<std::size_t>> Partners(const std::vector<ComparedEntry>& side,
                                                 const std::vector<ComparedEntry>& other) {
  std::unordered_map<std::string, std::vector<std::size_t>> byKey;
  for (std::size_t j = 0; j < other.size(); ++j) byKey[other[j].key].push_back(j);
  std::unordered_map<std::string, std::size_t> taken;
  std::vector<std::optional<std::size_t>> partners;
  partners.reserve(side.size());
  for (const ComparedEntry& entry : side) {
    const auto found = byKey.find(entry.key);
    std::size_t& n = taken[entry.key];
    if (found != byKey.end() && n < found->second.size()) {
      partners.push_back(found->second[n++]);
    } else {
      partners.push_back(std::nullopt);
    }
  }
  return partners;
}

}  // namespace

std::unique_ptr<ComparedSide> WadSide(const std::string& wadName, FileSystem& fileSystem) {
  return std::make_unique<WadEntries>(wadName, fileSystem);
}

std::unique_ptr<ComparedSide> FolderSide(const std::string& folder, FileSystem& fileSystem) {
  return std::make_unique<FolderFiles>(folder, fileSystem);
}

std::vector<EntryDifference> CompareSides(ComparedSide& first, ComparedSide& second) {
  const std::vector<ComparedEntry>& a = first.Entries();
  const std::vector<ComparedEntry>& b = second.Entries();
  const std::vector<std::optional<std::size_t>> partners = Partners(a, b);
  std::vector<bool> paired(b.size(), false);
  std::vector<EntryDifference> differences;
  std::string bytesA;
  std::string bytesB;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!partners[i]) {
      differences.push_back({DifferenceKind::OnlyInFirst, a[i].shownName, a[i].size, 0});
      continue;
    }
    const std::size_t j = *partners[i];
    paired[j] = true;
    if (a[i].size != b[j].size) {
      differences.push_back({DifferenceKind::Size, a[i].shownName, a[i].size, b[j].size});
      continue;
    }
    first.ReadEntry(i, bytesA);
    second.ReadEntry(j, bytesB);
    if (bytesA != bytesB) {
      differences.push_back({DifferenceKind::Bytes, a[i].shownName, a[i].size, b[j].size});
    }
  }
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (!paired[j])
      differences.push_back({DifferenceKind::OnlyInSecond, b[j].shownName, 0, b[j].size});
  }
  return differences;
}

}  // namespace quillmoor
