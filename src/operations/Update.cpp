#include "operations/Update.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "operations/BlockOffsets.h"
#include "operations/MatchIndex.h"
#include "operations/Messages.h"
#include "operations/SourceKind.h"
#include "operations/StatusText.h"
#include "operations/TrackNames.h"
#include "operations/UpdateSources.h"
#include "paths/CodePage.h"
#include "paths/FileExists.h"
#include "paths/FileListing.h"
#include "paths/PathIgnoringCase.h"
#include "paths/PathText.h"
#include "wad/WadImage.h"

namespace quillmoor {

namespace {

// Puts TrackMode off when the run ends, however it ends.
class TrackModeEnds {
 public:
  explicit TrackModeEnds(ProgramState& state) : state_(state) {}
  ~TrackModeEnds() { state_.TrackMode = false; }
  TrackModeEnds(const TrackModeEnds&) = delete;
  TrackModeEnds& operator=(const TrackModeEnds&) = delete;

 private:
  ProgramState& state_;
};

// A run ends with a refusal shown to the user, or goes on.
using Refusal = std::optional<std::string>;

Refusal CheckWadText(const std::string& wadText) {
  if (wadText.empty()) return kNoWadFileMessage;
  if (wadText.size() < 3 || wadText.substr(wadText.size() - 3) != "wad") return kNotAWadMessage;
  if (!FileExists(wadText)) return kWrongWadPathMessage;
  return std::nullopt;
}

// The name of an entry added for key: below "cars\" in the cars wad, below the track's folder
// in a track wad, else the key alone.
std::string AddedName(const std::string& wadPath, const std::string& key) {
  const std::string wadFile = FileNamePart(wadPath);
  if (LowerCase1252(wadFile) == "cars.wad") return "cars\\" + key;
  const std::string base =
      wadFile.substr(0, wadFile.size() - std::min<std::size_t>(4, wadFile.size()));
  const auto track = std::find(TrackNames.begin(), TrackNames.end(), base);
  if (track != TrackNames.end()) return "maps\\" + std::string(*track) + "\\" + key;
  return key;
}

// The size of a source file, or nothing when it is too large for a wad. Its data stays in
// the file until the wad is written.
std::optional<std::int32_t> SourceSize(const std::string& path, FileSystem& fileSystem) {
  const std::int64_t length = fileSystem.LengthOf(path);
  if (length > kLargestWadSize) return std::nullopt;
  return static_cast<std::int32_t>(length);
}

// One wad of the run: loaded, every source put in, written back.
class WadUpdate {
 public:
  WadUpdate(const std::string& wadPath, const std::vector<UpdateSource>& sources, Host& host,
            FileSystem& fileSystem, const UpdateOptions& options)
      : wadPath_(wadPath),
        wadFile_(PathIgnoringCase(wadPath)),
        sources_(sources),
        host_(host),
        fileSystem_(fileSystem),
        options_(options) {}

  Refusal Run() {
    LoadWad(image_, wadFile_, fileSystem_);
    MatchIndex index(image_.Entries);
    BlockOffsets offsets(image_.Entries, sources_.size());
    const std::string progressText = "Updating " + FileNamePart(wadPath_) + " : ";
    const auto n = static_cast<long long>(sources_.size());
    for (std::size_t i = 0; i < sources_.size(); ++i) {
      const std::optional<std::int32_t> size = SourceSize(sources_[i].path, fileSystem_);
      if (!size) return kTooLargeWadMessage;
      const FileRange data{sources_[i].path, 0};
      const std::optional<std::size_t> match = index.FirstMatch(sources_[i]);
      if (match) {
        Replace(*match, data, *size, offsets);
      } else if (Refusal refusal = Add(sources_[i].matchKey, data, *size, index, offsets)) {
        return refusal;
      }
      const int percent = static_cast<int>((static_cast<long long>(i) + 1) * 100 / n);
      host_.ShowProgress(percent, ProgressText(progressText, percent));
    }
    if (Refusal refusal = PlaceBlocks(offsets)) return refusal;
    if (!options_.dryRun) RebuildWad(image_, wadFile_, image_.Count, fileSystem_);
    return std::nullopt;
  }

 private:
  void Replace(std::size_t m, const FileRange& data, std::int32_t size, BlockOffsets& offsets) {
    WadDirectoryEntry& entry = image_.Entries[m];
    Report("replace " + Windows1252ToUtf8(EntryName(entry)) + " " + std::to_string(entry.Size) +
           " -> " + std::to_string(size));
    offsets.Resize(m, entry.Size, size);
    entry.Size = size;
    image_.Data[m] = data;
  }

  Refusal Add(const std::string& key, const FileRange& data, std::int32_t size, MatchIndex& index,
              BlockOffsets& offsets) {
    const std::string name = AddedName(wadPath_, key);
    if (name.size() > kNameSize) return kNameTooLongMessage + Windows1252ToUtf8(name);
    WadDirectoryEntry entry{};
    SetEntryName(entry, name);
    entry.Size = size;
    Report("add " + Windows1252ToUtf8(name) + " " + std::to_string(entry.Size));
    offsets.AddInFront(entry.Size);
    image_.Entries.push_back(entry);
    image_.Data.emplace_back(data);
    index.Add(image_.Entries.size() - 1, name);
    ++image_.Count;
    return std::nullopt;
  }

  // Puts the offsets into the records, unless the wad would outgrow what they can express.
  Refusal PlaceBlocks(const BlockOffsets& offsets) {
    const std::vector<std::int64_t> all = offsets.All();
    std::int64_t length = DirectoryEnd(image_.Count);
    for (std::size_t j = 0; j < all.size(); ++j) {
      length = std::max(length, all[j] + image_.Entries[j].Size);
    }
    if (length > kLargestWadSize) return kTooLargeWadMessage;
    for (std::size_t j = 0; j < all.size(); ++j) {
      image_.Entries[j].Offset = static_cast<std::int32_t>(all[j]);
    }
    return std::nullopt;
  }

  void Report(const std::string& line) const {
    if (options_.report) options_.report(line);
  }

  // The wad's path names it, and its name decides the names of added entries; the file is
  // found by that name without regard to case, as Windows finds the track wads.
  const std::string& wadPath_;
  const std::string wadFile_;
  const std::vector<UpdateSource>& sources_;
  Host& host_;
  FileSystem& fileSystem_;
  const UpdateOptions& options_;
  WadImage image_;
};

// The checks of the fields, the settings stored and the source files found; the sources, or
// the refusal.
std::variant<std::vector<UpdateSource>, std::string> TakeSources(Host& host, ProgramState& state) {
  const std::string sourceText = host.SourceText();
  if (sourceText == kNoSourceText || sourceText.empty()) return std::string(kNoSourceFilesMessage);
  if (state.TrackMode) {
    if (host.GamePath().empty()) return std::string(kNoGameFolderMessage);
  } else {
    if (Refusal refusal = CheckWadText(state.WadPaths[0])) return *refusal;
    host.Settings().Write(kWadNameSetting, state.WadPaths[0]);
  }
  const bool singleFile = NamesASourceFile(sourceText);
  if (singleFile) {
    if (!FileExists(sourceText)) return std::string(kWrongFilePathMessage);
    state.SourceList = {sourceText};
  } else {
    state.SourceList = ListFiles(sourceText, "*.*", true, false, 63);
  }
  host.Settings().Write(kFileNameSetting, sourceText);
  PreparedSources prepared = PrepareSources(sourceText, state.SourceList, singleFile);
  if (prepared.unspellable) return kUnspellableNameMessage + *prepared.unspellable;
  return std::move(prepared.sources);
}

}  // namespace

void RunUpdate(Host& host, ProgramState& state, FileSystem& fileSystem,
               const UpdateOptions& options) {
  const TrackModeEnds trackModeEnds(state);
  const Clock::TimePoint startTime = host.TimeSource().Now();
  state.WadPaths[0] = host.WadText();
  auto taken = TakeSources(host, state);
  if (const std::string* refusal = std::get_if<std::string>(&taken)) {
    host.ShowMessage(*refusal);
    return;
  }
  const auto& sources = std::get<std::vector<UpdateSource>>(taken);
  const std::size_t wads = state.TrackMode ? TrackNames.size() : 1;
  for (std::size_t k = 0; k < wads; ++k) {
    if (state.TrackMode) {
      state.WadPaths[k] = host.GamePath() + kNativeSeparator + std::string(TrackNames[k]) + ".wad";
    }
    if (Refusal refusal = WadUpdate(state.WadPaths[k], sources, host, fileSystem, options).Run()) {
      host.ShowMessage(*refusal);
      return;
    }
    if (state.TrackMode) host.ShowProgressPosition(0);
  }
  host.ShowProgress(0, CompletionText("Update done in ", host.TimeSource().Now() - startTime,
                                      host.DecimalSeparator()));
}

}  // namespace quillmoor
