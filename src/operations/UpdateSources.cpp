#include "operations/UpdateSources.h"

#include <algorithm>

#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

constexpr std::string_view kCarsPart = "\\cars\\";

// path written with the wad's separator and lower-cased with ASCII rules. The folder names the
// rules look for ("\cars\", "\race\", "\qualifying\") are ASCII, and no other character of
// the code page lower-cases to ASCII, so they are found here at the same places as in the
// path lower-cased in the code page, also in a path the code page cannot spell. Each
// character keeps its byte place.
std::string RuleText(std::string_view path) {
  std::string text(path);
  std::replace(text.begin(), text.end(), kNativeSeparator, kEntrySeparator);
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

MatchMode ModeOf(const std::string& ruleText) {
  if (ruleText.find("\\race\\") != std::string::npos) return MatchMode::Race;
  if (ruleText.find("\\qualifying\\") != std::string::npos) return MatchMode::Qualifying;
  return MatchMode::Plain;
}

// Where the part of a source path that becomes a key or an entry name starts: for a file of a
// source folder, behind the folder and its separator (also when the source text ends with
// one); for a single file, at its last "cars\" when it lies below one, else at its file name.
std::size_t NamedPartStart(const std::string& ruleText, const std::string& sourceRuleText,
                           bool singleFile, bool underCars) {
  if (!singleFile) {
    const bool endsWithSeparator = sourceRuleText.ends_with(kEntrySeparator);
    return std::min(sourceRuleText.size() + (endsWithSeparator ? 0 : 1), ruleText.size());
  }
  if (underCars) return ruleText.rfind(kCarsPart) + 1;
  return ruleText.size() - FileNamePart(ruleText, kEntrySeparator).size();
}

}  // namespace

PreparedSources PrepareSources(const std::string& sourceText,
                               const std::vector<std::string>& sourceList, bool singleFile) {
  PreparedSources prepared;
  const std::string sourceRuleText = RuleText(sourceText);
  prepared.sources.reserve(sourceList.size());
  for (const std::string& path : sourceList) {
    const std::string ruleText = RuleText(path);
    const bool underCars = ruleText.find(kCarsPart) != std::string::npos;
    const std::size_t start = NamedPartStart(ruleText, sourceRuleText, singleFile, underCars);
    const std::optional<std::string> named = EntryTextFromNativePath(path.substr(start));
    if (!named) {
      prepared.sources.clear();
      prepared.unspellable = path;
      return prepared;
    }
    const std::string lower = LowerCase1252(*named);
    std::string key = underCars ? lower : FileNamePart(lower, kEntrySeparator);
    prepared.sources.push_back({path, ModeOf(ruleText), underCars, std::move(key)});
  }
  return prepared;
}

}  // namespace quillmoor
