#include "operations/MatchIndex.h"

#include "paths/CodePage.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

std::optional<std::size_t> Find(const std::unordered_map<std::string, std::size_t>& index,
                                const std::string& key) {
  const auto found = index.find(key);
  if (found == index.end()) return std::nullopt;
  return found->second;
}

}  // namespace

MatchIndex::MatchIndex(const std::vector<WadDirectoryEntry>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) Add(i, EntryName(entries[i]));
}

void MatchIndex::Add(std::size_t index, const std::string& name) {
  // Entries come in directory order, so the first index kept for a key stays the first match.
  const std::string lower = LowerCase1252(name);
  const std::string fileName = FileNamePart(lower, kEntrySeparator);
  wholeNames_.try_emplace(lower, index);
  fileNames_.try_emplace(fileName, index);
  // Read with a backslash in front, so that a folder counts also when it is the first one:
  // "race\x.cfg" is a race entry.
  const std::string folders = "\\" + lower;
  if (folders.find("\\qualifying\\") != std::string::npos) {
    qualifyingFileNames_.try_emplace(fileName, index);
  }
  if (folders.find("\\race\\") != std::string::npos) raceFileNames_.try_emplace(fileName, index);
}

std::optional<std::size_t> MatchIndex::FirstMatch(const UpdateSource& source) const {
  switch (source.matchBy) {
    case MatchBy::RaceFileName:
      return Find(raceFileNames_, source.matchKey);
    case MatchBy::QualifyingFileName:
      return Find(qualifyingFileNames_, source.matchKey);
    case MatchBy::WholeName:
      return Find(wholeNames_, source.matchKey);
    case MatchBy::FileName:
      break;
  }
  return Find(fileNames_, source.matchKey);
}

std::optional<std::size_t> MatchIndex::FirstNamed(const std::string& lowerName) const {
  return Find(wholeNames_, lowerName);
}

}  // namespace quillmoor
