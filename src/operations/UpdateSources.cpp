#include "operations/UpdateSources.h"

#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

constexpr std::string_view kCarsPart = "\\cars\\";

MatchMode ModeOf(const std::string& lowerPath) {
  if (lowerPath.find("\\race\\") != std::string::npos) return MatchMode::Race;
  if (lowerPath.find("\\qualifying\\") != std::string::npos) return MatchMode::Qualifying;
  return MatchMode::Plain;
}

// The key of a file below "\cars\": its path below the source folder; for a single file, the
// part of its path from its last "cars\" on.
std::string CarsKey(const std::string& lowerPath, const std::string& sourceEntryText,
                    bool singleFile) {
  if (singleFile) return lowerPath.substr(lowerPath.rfind(kCarsPart) + 1);
  const bool endsWithSeparator = !sourceEntryText.empty() && sourceEntryText.back() == '\\';
  const std::size_t folderPart = sourceEntryText.size() + (endsWithSeparator ? 0 : 1);
  return folderPart < lowerPath.size() ? lowerPath.substr(folderPart) : std::string();
}

}  // namespace

PreparedSources PrepareSources(const std::string& sourceText,
                               const std::vector<std::string>& sourceList, bool singleFile) {
  PreparedSources prepared;
  const std::optional<std::string> sourceEntryText = EntryTextFromNativePath(sourceText);
  if (!sourceEntryText) {
    prepared.unspellable = sourceText;
    return prepared;
  }
  prepared.sources.reserve(sourceList.size());
  for (const std::string& path : sourceList) {
    const std::optional<std::string> entryText = EntryTextFromNativePath(path);
    if (!entryText) {
      prepared.unspellable = path;
      return prepared;
    }
    const std::string lower = LowerCase1252(*entryText);
    const bool underCars = lower.find(kCarsPart) != std::string::npos;
    std::string key = underCars ? CarsKey(lower, *sourceEntryText, singleFile)
                                : FileNamePart(lower, kEntrySeparator);
    prepared.sources.push_back({path, ModeOf(lower), underCars, std::move(key)});
  }
  return prepared;
}

}  // namespace quillmoor
