#include "operations/UpdateSources.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "operations/TrackNames.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileSystemPath.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

constexpr std::string_view kCarsPart = "\\cars\\";

// path written with the wad's separator and lower-cased with ASCII rules. The folder names the
// rules look for ("cars", "race", "qualifying", the tracks) are ASCII, and no other character
// of the code page lower-cases to ASCII, so they are found here at the same places as in the
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

// One folder of a rule text, and the byte place where its name starts.
struct Folder {
  std::size_t start;
  std::string_view name;
};

// The folders of a rule text from the outermost on, without the file name at its end.
std::vector<Folder> FoldersOf(std::string_view ruleText) {
  std::vector<Folder> folders;
  std::size_t start = 0;
  for (std::size_t end = ruleText.find(kEntrySeparator); end != std::string_view::npos;
       end = ruleText.find(kEntrySeparator, start)) {
    if (end > start) folders.push_back({start, ruleText.substr(start, end - start)});
    start = end + 1;
  }
  return folders;
}

const Folder* FirstFolderNamed(const std::vector<Folder>& folders, std::string_view name) {
  const auto found =
      std::find_if(folders.begin(), folders.end(), [&](const Folder& f) { return f.name == name; });
  return found == folders.end() ? nullptr : &*found;
}

MatchMode ModeOfFolders(const std::vector<Folder>& folders) {
  if (FirstFolderNamed(folders, "race")) return MatchMode::Race;
  if (FirstFolderNamed(folders, "qualifying")) return MatchMode::Qualifying;
  return MatchMode::Plain;
}

// How a key that is a file name alone is matched in mode.
MatchBy FileNameMatch(MatchMode mode) {
  switch (mode) {
    case MatchMode::Race:
      return MatchBy::RaceFileName;
    case MatchMode::Qualifying:
      return MatchBy::QualifyingFileName;
    case MatchMode::Plain:
      break;
  }
  return MatchBy::FileName;
}

// The innermost folder named like a track, and the track's row: in "monza2001\maps\monza2001",
// a track wad extracted into a folder named after it, the inner one.
std::optional<std::pair<Folder, std::size_t>> TrackFolder(const std::vector<Folder>& folders) {
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    const auto track = std::find(TrackNames.begin(), TrackNames.end(), folder->name);
    if (track != TrackNames.end()) {
      return std::make_pair(*folder, static_cast<std::size_t>(track - TrackNames.begin()));
    }
  }
  return std::nullopt;
}

// The first folder named "cars", or the last of a row of them that starts there: in
// "cars\cars\ferrari", the cars wad extracted into a folder named after it, the inner one.
const Folder* CarsFolder(const std::vector<Folder>& folders) {
  auto cars = std::find_if(folders.begin(), folders.end(),
                           [](const Folder& folder) { return folder.name == "cars"; });
  if (cars == folders.end()) return nullptr;
  while (std::next(cars) != folders.end() && std::next(cars)->name == "cars") ++cars;
  return &*cars;
}

// The folder's own name as the user sees it: "mod" for "mod", "./mod/", "/home/me/mod" or
// "." in /home/me/mod; empty for the root of a drive.
std::string OwnFolderName(const std::string& folderText) {
  const std::filesystem::path given = PathFromText(folderText);
  std::error_code failed;
  std::filesystem::path path = std::filesystem::absolute(given, failed);
  if (failed) path = given;
  path = path.lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  return TextFromPath(path.filename());
}

// The source for a file, its mode and how it is matched decided, keyed by the part of
// sourcePath from keyStart on (with keyPrefix in front). Nothing when the code page cannot
// spell that part.
std::optional<UpdateSource> KeyedSource(const std::string& file, std::string_view sourcePath,
                                        std::size_t keyStart, const std::string& keyPrefix,
                                        MatchMode mode, MatchBy matchBy) {
  const std::optional<std::string> named = EntryTextFromNativePath(sourcePath.substr(keyStart));
  if (!named) return std::nullopt;
  return UpdateSource{file, mode, matchBy, keyPrefix + LowerCase1252(*named), std::nullopt};
}

// The source for file, whose path below the folder is relative, named by the folder's own
// name and that path.
std::optional<UpdateSource> FolderSource(const std::string& file, const std::string& ownName,
                                         std::string_view relative) {
  const std::string named =
      ownName.empty() ? std::string(relative) : ownName + kNativeSeparator + std::string(relative);
  const std::string ruleText = RuleText(named);
  const std::vector<Folder> folders = FoldersOf(ruleText);
  const MatchMode mode = ModeOfFolders(folders);
  if (const auto track = TrackFolder(folders)) {
    const auto& [folder, row] = *track;
    const std::string prefix = "maps\\" + std::string(TrackNames[row]) + "\\";
    std::optional<UpdateSource> source = KeyedSource(
        file, named, folder.start + folder.name.size() + 1, prefix, mode, MatchBy::WholeName);
    if (source) source->track = row;
    return source;
  }
  if (const Folder* cars = CarsFolder(folders)) {
    const MatchBy matchBy = mode == MatchMode::Plain ? MatchBy::WholeName : FileNameMatch(mode);
    return KeyedSource(file, named, cars->start, "", mode, matchBy);
  }
  const std::size_t fileNameStart = named.size() - FileNamePart(ruleText, kEntrySeparator).size();
  return KeyedSource(file, named, fileNameStart, "", mode, FileNameMatch(mode));
}

PreparedSources Unspellable(const std::string& path) {
  PreparedSources prepared;
  prepared.unspellable = path;
  return prepared;
}

}  // namespace

PreparedSources PrepareFolderSources(const std::string& folderText,
                                     const std::vector<std::string>& files) {
  const std::size_t folderLength =
      folderText.size() + (folderText.ends_with(kNativeSeparator) ? 0 : 1);
  const std::string ownName = OwnFolderName(folderText);
  PreparedSources prepared;
  prepared.sources.reserve(files.size());
  for (const std::string& file : files) {
    const std::string_view relative =
        std::string_view(file).substr(std::min(folderLength, file.size()));
    std::optional<UpdateSource> source = FolderSource(file, ownName, relative);
    if (!source) return Unspellable(file);
    prepared.sources.push_back(std::move(*source));
  }
  return prepared;
}

PreparedSources PrepareFileSource(const std::string& file) {
  const std::string ruleText = RuleText(file);
  const MatchMode mode = ruleText.find("\\race\\") != std::string::npos ? MatchMode::Race
                         : ruleText.find("\\qualifying\\") != std::string::npos
                             ? MatchMode::Qualifying
                             : MatchMode::Plain;
  const std::size_t lastCars = ruleText.rfind(kCarsPart);
  std::optional<UpdateSource> source;
  if (lastCars != std::string::npos) {
    const MatchBy matchBy = mode == MatchMode::Plain ? MatchBy::WholeName : FileNameMatch(mode);
    source = KeyedSource(file, file, lastCars + 1, "", mode, matchBy);
  } else {
    const std::size_t fileNameStart = file.size() - FileNamePart(ruleText, kEntrySeparator).size();
    source = KeyedSource(file, file, fileNameStart, "", mode, FileNameMatch(mode));
  }
  if (!source) return Unspellable(file);
  return PreparedSources{{std::move(*source)}, std::nullopt};
}

}  // namespace quillmoor
