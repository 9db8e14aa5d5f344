#include "operations/WadCheck.h"

#include <algorithm>
#include <optional>
#include <span>
#include <unordered_map>

#include "operations/WindowsNames.h"
#include "paths/CodePage.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

namespace {

bool UsableBlock(const WadDirectoryEntry& entry, std::int64_t fileLength, std::int64_t count) {
  return BlockInside(entry, fileLength) &&
         BlocksClearOfDirectory(std::span<const WadDirectoryEntry>(&entry, 1), count);
}

// The findings of each entry on its own and against the names before it.
void CheckEntries(WadHealth& health) {
  const auto count = static_cast<std::int64_t>(health.entries.size());
  std::unordered_map<std::string, std::size_t> firstByName;
  for (std::size_t i = 0; i < health.entries.size(); ++i) {
    const WadDirectoryEntry& entry = health.entries[i];
    if (!BlockInside(entry, health.fileLength)) {
      health.findings.push_back({WadFindingKind::BlockOutsideFile, i});
    } else if (!UsableBlock(entry, health.fileLength, count)) {
      health.findings.push_back({WadFindingKind::BlockOverDirectory, i});
    }
    const std::string name = EntryName(entry);
    if (!WindowsCanHoldName(name)) {
      health.findings.push_back({WadFindingKind::NameWindowsCantHold, i});
    }
    const auto [first, isNew] = firstByName.try_emplace(LowerCase1252(name), i);
    if (!isNew) health.findings.push_back({WadFindingKind::DuplicateName, i, first->second});
  }
}

// The gaps and overlaps of the usable blocks with data, walked in file order.
void CheckLayout(WadHealth& health) {
  const std::vector<WadDirectoryEntry>& entries = health.entries;
  const auto count = static_cast<std::int64_t>(entries.size());
  std::vector<std::size_t> placed;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].Size > 0 && UsableBlock(entries[i], health.fileLength, count)) {
      placed.push_back(i);
    }
  }
  std::ranges::stable_sort(placed, {}, [&](std::size_t i) { return entries[i].Offset; });
  std::int64_t reach = DirectoryEnd(count);
  std::optional<std::size_t> reachedBy;
  for (const std::size_t i : placed) {
    const std::int64_t start = entries[i].Offset;
    const std::int64_t end = start + entries[i].Size;
    if (start > reach) health.findings.push_back({WadFindingKind::Gap, 0, 0, reach, start - reach});
    if (start < reach && reachedBy) {
      health.findings.push_back({WadFindingKind::Overlap, i, *reachedBy});
    }
    if (end > reach) {
      reach = end;
      reachedBy = i;
    }
  }
  if (health.fileLength > reach) {
    health.findings.push_back({WadFindingKind::Gap, 0, 0, reach, health.fileLength - reach});
  }
}

}  // namespace

bool WadHealth::Damaged() const {
  return std::ranges::any_of(findings, [](const WadFinding& finding) {
    return finding.kind == WadFindingKind::BlockOutsideFile ||
           finding.kind == WadFindingKind::BlockOverDirectory ||
           finding.kind == WadFindingKind::NameWindowsCantHold;
  });
}

std::size_t WadHealth::CountOf(WadFindingKind kind) const {
  return static_cast<std::size_t>(std::ranges::count(findings, kind, &WadFinding::kind));
}

WadHealth CheckWad(const std::string& wadName, FileSystem& fileSystem) {
  WadReader wad(wadName, fileSystem);
  WadHealth health;
  health.entries = wad.Entries();
  health.fileLength = wad.FileLength();
  CheckEntries(health);
  CheckLayout(health);
  std::string data;
  for (const WadDirectoryEntry& entry : health.entries) {
    if (!BlockInside(entry, health.fileLength)) continue;
    wad.ReadBlock(entry, data);
    health.dataBytes += entry.Size;
  }
  wad.Close();
  return health;
}

}  // namespace quillmoor
