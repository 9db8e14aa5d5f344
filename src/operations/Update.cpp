#include "operations/Update.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <optional>
#include <variant>

#include "io/Commit.h"
#include "io/IoError.h"
#include "io/SameContent.h"
#include "operations/BlockOffsets.h"
#include "operations/BlockOverlaps.h"
#include "operations/MatchIndex.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/SourceFolder.h"
#include "operations/SourceKind.h"
#include "operations/StatusText.h"
#include "operations/TrackNames.h"
#include "operations/TrackUpdateRecord.h"
#include "operations/UpdateSources.h"
#include "paths/CodePage.h"
#include "paths/FileExists.h"
#include "paths/PathIgnoringCase.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"
#include "wad/WadImage.h"
#include "wad/WadLayout.h"

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

// A wad text ends in ".wad", in any case: "CARS.WAD" is the cars wad.
Refusal CheckWadText(const std::string& wadText) {
  if (wadText.empty()) return kNoWadFileMessage;
  if (!LowerCase1252(wadText).ends_with(".wad")) return kNotAWadMessage;
  if (IsSpecialFile(wadText)) return kSpecialFileMessage + wadText;
  if (!FileExists(wadText)) return kWrongWadPathMessage;
  return std::nullopt;
}

// The wad's file name without its last four characters (".wad").
std::string WadBaseName(const std::string& wadPath) {
  const std::string wadFile = FileNamePart(wadPath);
  return wadFile.substr(0, wadFile.size() - std::min<std::size_t>(4, wadFile.size()));
}

// What the names of entries added to a wad start with: "cars\" in the cars wad, the track's
// folder in a track wad (named exactly like the track), else nothing.
std::string AddedNamePrefix(const std::string& wadPath) {
  if (LowerCase1252(FileNamePart(wadPath)) == "cars.wad") return "cars\\";
  const std::string base = WadBaseName(wadPath);
  const auto track = std::find(TrackNames.begin(), TrackNames.end(), base);
  if (track != TrackNames.end()) return "maps\\" + std::string(*track) + "\\";
  return "";
}

// The track whose files a wad takes: the one it is named after, case ignored, as the game
// finds its track wads.
std::optional<std::size_t> TrackOfWad(const std::string& wadPath) {
  const std::string base = LowerCase1252(WadBaseName(wadPath));
  const auto track = std::find(TrackNames.begin(), TrackNames.end(), base);
  if (track == TrackNames.end()) return std::nullopt;
  return static_cast<std::size_t>(track - TrackNames.begin());
}

// The name of the entry added for source: the wad's prefix, unless the key starts with it
// already; then, for a race or qualifying source keyed by its file name alone, that folder,
// so that its own mode finds the entry again next time; then the key.
std::string AddedName(const std::string& wadPath, const UpdateSource& source) {
  const std::string prefix = AddedNamePrefix(wadPath);
  std::string name = source.matchKey.starts_with(prefix) ? "" : prefix;
  if (source.matchKey.find(kEntrySeparator) == std::string::npos) {
    if (source.mode == MatchMode::Race) name += "race\\";
    if (source.mode == MatchMode::Qualifying) name += "qualifying\\";
  }
  return name + source.matchKey;
}

const char* ModeText(MatchMode mode) {
  switch (mode) {
    case MatchMode::Race:
      return "race";
    case MatchMode::Qualifying:
      return "qualifying";
    case MatchMode::Plain:
      break;
  }
  return "plain";
}

// What the entries a source is compared with are, for the dry run's reasons.
const char* ComparedEntries(MatchBy matchBy) {
  switch (matchBy) {
    case MatchBy::RaceFileName:
      return "race entry of that file name";
    case MatchBy::QualifyingFileName:
      return "qualifying entry of that file name";
    case MatchBy::WholeName:
      return "entry of that whole name";
    case MatchBy::FileName:
      break;
  }
  return "entry of that file name";
}

// "key K, MODE: REASON", in UTF-8, for the dry run.
std::string Why(const UpdateSource& source, const std::string& reason) {
  return " (key " + Windows1252ToUtf8(source.matchKey) + ", " + ModeText(source.mode) + ": " +
         reason + ")";
}

// The sizes of the source files, or nothing when one is too large for a wad. Their data stays
// in the files until the wads are written.
std::optional<std::vector<std::int32_t>> SourceSizes(const std::vector<UpdateSource>& sources,
                                                     FileSystem& fileSystem) {
  std::vector<std::int32_t> sizes;
  sizes.reserve(sources.size());
  for (const UpdateSource& source : sources) {
    const std::int64_t length = fileSystem.LengthOf(source.path);
    if (length > kLargestWadSize) return std::nullopt;
    sizes.push_back(static_cast<std::int32_t>(length));
  }
  return sizes;
}

// Where the progress bar stands for a share of the run. A single wad's run shows each source's
// percentage; a track update moves the bar once over the whole run: the first half while the
// 17 wads are loaded and changed in memory, the second while they are written.
class RunProgress {
 public:
  RunProgress(Host& host, std::size_t wads) : host_(host), wads_(static_cast<int>(wads)) {}

  // After a source of wad k, percent of its sources done.
  void Changed(std::size_t k, const std::string& wadPath, int percent) {
    const int position = wads_ == 1 ? percent : (static_cast<int>(k) * 100 + percent) / (2 * wads_);
    host_.ShowProgress(position,
                       ProgressText("Updating " + FileNamePart(wadPath) + " : ", percent));
  }

  // As wad k is written, in a track update.
  void Writing(std::size_t k, const std::string& wadPath, bool anySource) {
    if (wads_ == 1) return;
    const int position = 50 + (static_cast<int>(k) + 1) * 50 / wads_;
    if (anySource) {
      host_.ShowProgress(position, ProgressText("Updating " + FileNamePart(wadPath) + " : ", 100));
    } else {
      host_.ShowProgressPosition(position);
    }
  }

 private:
  Host& host_;
  int wads_;
};

// One wad of the run: loaded and held locked, every source put in, written beside the old wad,
// and put in its place.
class WadUpdate {
 public:
  WadUpdate(const std::string& wadPath, const std::vector<UpdateSource>& sources,
            const std::vector<std::int32_t>& sizes, FileSystem& fileSystem,
            const UpdateOptions& options)
      : wadPath_(wadPath),
        wadFile_(PathIgnoringCase(wadPath)),
        track_(TrackOfWad(wadPath)),
        sources_(sources),
        sizes_(sizes),
        fileSystem_(fileSystem),
        options_(options) {}

  // Loads the wad under its lock and makes every change in memory; gives the refusal when the
  // wad can't take them.
  Refusal Change(std::size_t k, RunProgress& progress) {
    std::unique_ptr<File> wad = fileSystem_.OpenExclusive(wadFile_, options_.lockWait);
    if (!wad) return kWadBusyMessage + wadPath_;
    LoadWad(image_, std::move(wad), wadFile_);
    loadedEntries_ = image_.Entries;
    if (!BlocksClearOfDirectory(image_.Entries, image_.Count)) return kDamagedWadMessage;
    MatchIndex index(image_.Entries);
    BlockOffsets offsets(image_.Entries, sources_.size());
    const auto n = static_cast<long long>(sources_.size());
    for (std::size_t i = 0; i < sources_.size(); ++i) {
      if (Refusal refusal = PutIn(sources_[i], sizes_[i], index, offsets)) return refusal;
      progress.Changed(k, wadPath_, static_cast<int>((static_cast<long long>(i) + 1) * 100 / n));
    }
    if (Refusal refusal = PlaceBlocks(offsets)) return refusal;
    // Overlapping blocks that the change moved apart or gave new bytes would give an entry
    // another's bytes: such a wad is refused rather than written wrong.
    if (!EveryEntryKeepsItsBytes(image_, fileSystem_)) return kDamagedWadMessage;
    return std::nullopt;
  }

  // Writes the changed wad beside the old one and checks what was written; gives the refusal
  // when it didn't read back as meant.
  // The length the changed wad will have, known once it is changed.
  std::int64_t NewLength() const { return newLength_; }

  Refusal Write() {
    written_ = WriteWad(image_, wadFile_, image_.Count, fileSystem_);
    if (!written_) return kDamagedWadMessage;
    return std::nullopt;
  }

  // Whether the written wad holds the very bytes of the old one: then it needn't replace it.
  bool Unchanged() {
    const std::unique_ptr<File> written = fileSystem_.OpenForReading(written_->TemporaryName());
    return HoldSameBytes(*written, *image_.Loaded);
  }

  // Whether writing the wad would change its bytes, found without writing it: when an entry
  // gets other bytes or the directory changes, or when the wad itself doesn't come out of a
  // rewrite as it is (bytes between or behind its blocks).
  bool WouldChange() const {
    const std::size_t directoryBytes = loadedEntries_.size() * sizeof(WadDirectoryEntry);
    return otherBytes_ || image_.Entries.size() != loadedEntries_.size() ||
           std::memcmp(image_.Entries.data(), loadedEntries_.data(), directoryBytes) != 0 ||
           !RewriteGivesSameBytes(loadedEntries_, *image_.Loaded);
  }

  // Drops the written wad, which changes nothing.
  void Drop() { written_.reset(); }

  // Makes putting the written wad in the old one's place a step of commit; with keepPrevious
  // the old wad becomes its backup.
  void JoinCommit(Commit& commit, bool keepPrevious) {
    commit.Replace(std::move(written_), keepPrevious);
  }

 private:
  // Replaces the entry source matches or adds one for it; a file of another track's folder
  // stays out. An entry that already has the name the source would be added as is replaced
  // instead, so that running one update twice gives the wad that running it once gives.
  Refusal PutIn(const UpdateSource& source, std::int32_t size, MatchIndex& index,
                BlockOffsets& offsets) {
    if (source.track && source.track != track_) {
      Report("leave " + Windows1252ToUtf8(source.matchKey) + " (it goes into " +
             std::string(TrackNames[*source.track]) + ".wad only)");
      return std::nullopt;
    }
    const FileRange data{source.path, 0};
    const char* compared = ComparedEntries(source.matchBy);
    if (const std::optional<std::size_t> match = index.FirstMatch(source)) {
      Replace(*match, data, size, offsets, Why(source, std::string("the first ") + compared));
      return std::nullopt;
    }
    const std::string name = AddedName(wadPath_, source);
    if (const std::optional<std::size_t> named = index.FirstNamed(name)) {
      Replace(*named, data, size, offsets,
              Why(source, std::string("no ") + compared + ", but the name it gets is there"));
      return std::nullopt;
    }
    return Add(name, data, size, index, offsets, Why(source, std::string("no ") + compared));
  }

  void Replace(std::size_t m, const FileRange& data, std::int32_t size, BlockOffsets& offsets,
               const std::string& why) {
    WadDirectoryEntry& entry = image_.Entries[m];
    Report("replace " + Windows1252ToUtf8(EntryName(entry)) + " " + std::to_string(entry.Size) +
           " -> " + std::to_string(size) + why);
    if (options_.dryRun && !otherBytes_)
      otherBytes_ = !HoldsBytesOf(image_.Data[m], entry.Size, data, size);
    offsets.Resize(m, entry.Size, size);
    entry.Size = size;
    image_.Data[m] = data;
  }

  Refusal Add(const std::string& name, const FileRange& data, std::int32_t size, MatchIndex& index,
              BlockOffsets& offsets, const std::string& why) {
    if (name.size() > kNameSize) return kNameTooLongMessage + Windows1252ToUtf8(name);
    WadDirectoryEntry entry{};
    SetEntryName(entry, name);
    entry.Size = size;
    Report("add " + Windows1252ToUtf8(name) + " " + std::to_string(entry.Size) + why);
    offsets.AddInFront(entry.Size);
    image_.Entries.push_back(entry);
    image_.Data.emplace_back(data);
    index.Add(image_.Entries.size() - 1, name);
    ++image_.Count;
    return std::nullopt;
  }

  // Puts the offsets into the records, unless the wad would outgrow what they can express or
  // a block would overwrite the directory or come before the start of the file (as in a wad
  // whose blocks overlap and shrink).
  Refusal PlaceBlocks(const BlockOffsets& offsets) {
    const std::vector<std::int64_t> all = offsets.All();
    std::int64_t length = DirectoryEnd(image_.Count);
    for (std::size_t j = 0; j < all.size(); ++j) {
      if (all[j] < 0) return kDamagedWadMessage;
      length = std::max(length, all[j] + image_.Entries[j].Size);
    }
    if (length > kLargestWadSize) return kTooLargeWadMessage;
    newLength_ = length;
    for (std::size_t j = 0; j < all.size(); ++j) {
      image_.Entries[j].Offset = static_cast<std::int32_t>(all[j]);
    }
    if (!BlocksClearOfDirectory(image_.Entries, image_.Count)) return kDamagedWadMessage;
    return std::nullopt;
  }

  void Report(const std::string& line) const {
    if (options_.report) options_.report(wadPath_, line);
  }

  // Whether the data of an entry and that of its replacement hold the same bytes, read a slice
  // at a time.
  bool HoldsBytesOf(const BlockData& data, std::int32_t size, const FileRange& replacement,
                    std::int32_t replacementSize) const {
    if (size != replacementSize) return false;
    const std::unique_ptr<File> source = fileSystem_.OpenForReading(replacement.file);
    std::unique_ptr<File> earlier;
    File* file = image_.Loaded.get();
    std::int64_t position = 0;
    if (const auto* range = std::get_if<LoadedRange>(&data)) {
      position = range->position;
    } else {
      const FileRange& replaced = std::get<FileRange>(data);
      earlier = fileSystem_.OpenForReading(replaced.file);
      file = earlier.get();
      position = replaced.position;
    }
    constexpr std::int64_t kSlice = 1 << 16;
    std::string bytes;
    std::string replacementBytes;
    for (std::int64_t done = 0; done < size; done += kSlice) {
      const auto part = static_cast<std::size_t>(std::min<std::int64_t>(kSlice, size - done));
      bytes.resize(part);
      replacementBytes.resize(part);
      file->ReadAt(static_cast<std::int32_t>(position + done), bytes);
      source->ReadAt(static_cast<std::int32_t>(replacement.position + done), replacementBytes);
      if (bytes != replacementBytes) return false;
    }
    return true;
  }

  // The wad's path names it, and its name decides the names of added entries; the file is
  // found by that name without regard to case, as Windows finds the track wads.
  const std::string& wadPath_;
  const std::string wadFile_;
  const std::optional<std::size_t> track_;
  std::int64_t newLength_ = 0;
  const std::vector<UpdateSource>& sources_;
  const std::vector<std::int32_t>& sizes_;
  FileSystem& fileSystem_;
  const UpdateOptions& options_;
  WadImage image_;
  // The directory as loaded, and whether a replacement in a dry run gave an entry other bytes.
  std::vector<WadDirectoryEntry> loadedEntries_;
  bool otherBytes_ = false;
  std::unique_ptr<FileReplacement> written_;
};

// Changes every wad of the run in memory, then writes them all, then puts in place in one
// commit (io/Commit.h) those whose bytes changed, each keeping its previous version when asked:
// a refusal, a failure or a kill before the commit's journal is in place leaves every wad and
// every backup as it was, and from then on all of them are replaced. The wads an undo puts
// back are then those of this commit. Gives the refusal.
Refusal UpdateAll(const std::vector<std::string>& wadPaths,
                  const std::vector<UpdateSource>& sources, Host& host, ProgramState& state,
                  FileSystem& fileSystem, const UpdateOptions& options) {
  if (Refusal refusal = FinishEarlierChanges(fileSystem, wadPaths)) return refusal;
  const std::optional<std::vector<std::int32_t>> sizes = SourceSizes(sources, fileSystem);
  if (!sizes) return kTooLargeWadMessage;
  RunProgress progress(host, wadPaths.size());
  std::vector<std::unique_ptr<WadUpdate>> updates;
  for (std::size_t k = 0; k < wadPaths.size(); ++k) {
    updates.push_back(
        std::make_unique<WadUpdate>(wadPaths[k], sources, *sizes, fileSystem, options));
    if (Refusal refusal = updates.back()->Change(k, progress)) return refusal;
  }
  const auto reportWad = [&](std::size_t k, bool changed) {
    if (options.wadReport) options.wadReport(wadPaths[k], changed);
  };
  if (options.dryRun) {
    for (std::size_t k = 0; k < updates.size(); ++k) reportWad(k, updates[k]->WouldChange());
    return std::nullopt;
  }
  // Every new wad is written beside the old one before the commit: without room for them all,
  // nothing is written.
  std::vector<std::int64_t> lengths;
  for (const std::unique_ptr<WadUpdate>& update : updates) lengths.push_back(update->NewLength());
  if (!fileSystem.FreeSpaceFor(wadPaths.front()).HasRoomFor(lengths, 0)) {
    throw IoError(IoFailure::DiskFull, ENOSPC, wadPaths.front());
  }
  Commit commit(fileSystem);
  std::vector<std::string> replaced;
  for (std::size_t k = 0; k < updates.size(); ++k) {
    progress.Writing(k, wadPaths[k], !sources.empty());
    if (Refusal refusal = updates[k]->Write()) return refusal;
    const bool changed = !updates[k]->Unchanged();
    reportWad(k, changed);
    if (!changed) {
      updates[k]->Drop();
    } else {
      updates[k]->JoinCommit(commit, options.keepBackup);
      replaced.push_back(wadPaths[k]);
    }
  }
  // A track update records in the same commit which wads it replaced keeping their previous
  // versions, for undo-tracks; one that keeps none leaves no record, as no undo is right then.
  const std::string record =
      state.TrackMode ? TrackUpdateRecordFile(fileSystem, wadPaths.front()) : std::string();
  if (state.TrackMode && !commit.Empty()) {
    if (options.keepBackup) {
      commit.Replace(WriteTrackUpdateRecord(fileSystem, record, replaced), false);
    } else if (fileSystem.Exists(record)) {
      commit.Remove(record);
    }
  }
  // Once the commit is made, what an undo puts back is this run's, even if a step fails.
  const auto noteReplaced = [&] {
    if (!commit.Made()) return;
    state.ReplacedWads = options.keepBackup ? replaced : std::vector<std::string>();
    state.TrackUpdateRecord = options.keepBackup ? record : std::string();
  };
  try {
    commit.Run();
  } catch (...) {
    noteReplaced();
    throw;
  }
  noteReplaced();
  return std::nullopt;
}

bool ChoosesNoSource(const std::string& sourceText) {
  return sourceText == kNoSourceText || sourceText.empty();
}

// The sources of one source text, its files appended to sourceList: the file itself, or every
// file below the folder, each keyed by that folder's own rules.
PreparedSources PrepareSource(const std::string& sourceText, SourceKind kind,
                              std::vector<std::string>& sourceList) {
  if (kind == SourceKind::File) {
    sourceList.push_back(sourceText);
    return PrepareFileSource(sourceText);
  }
  std::vector<std::string> files = SourceFolderFiles(sourceText);
  PreparedSources prepared = PrepareFolderSources(sourceText, files);
  sourceList.insert(sourceList.end(), std::make_move_iterator(files.begin()),
                    std::make_move_iterator(files.end()));
  return prepared;
}

// The checks of the fields, the settings stored and the source files found; the sources of
// every source text, in the order given, or the refusal. One source text that is refused
// refuses the run.
std::variant<std::vector<UpdateSource>, std::string> TakeSources(Host& host, ProgramState& state) {
  const std::vector<std::string> sourceTexts = host.SourceTexts();
  if (sourceTexts.empty() || std::ranges::any_of(sourceTexts, ChoosesNoSource)) {
    return std::string(kNoSourceFilesMessage);
  }
  if (state.TrackMode) {
    if (host.GamePath().empty()) return std::string(kNoGameFolderMessage);
  } else if (Refusal refusal = CheckWadText(state.WadPaths[0])) {
    return *refusal;
  }
  std::vector<SourceKind> kinds;
  for (const std::string& sourceText : sourceTexts) {
    kinds.push_back(KindOfSource(sourceText));
    if (kinds.back() == SourceKind::Missing) return std::string(kWrongFilePathMessage);
  }
  state.SourceList.clear();
  std::vector<UpdateSource> sources;
  for (std::size_t s = 0; s < sourceTexts.size(); ++s) {
    PreparedSources prepared = PrepareSource(sourceTexts[s], kinds[s], state.SourceList);
    if (prepared.unspellable) return kUnspellableNameMessage + *prepared.unspellable;
    sources.insert(sources.end(), std::make_move_iterator(prepared.sources.begin()),
                   std::make_move_iterator(prepared.sources.end()));
  }
  if (const std::string* special = FirstSpecialFile(state.SourceList)) {
    return kSpecialFileMessage + *special;
  }
  // Only a run that goes on remembers its fields: a refused one changes nothing. The source
  // field shows one text, the first.
  if (!state.TrackMode) host.Settings().Write(kWadNameSetting, state.WadPaths[0]);
  host.Settings().Write(kFileNameSetting, sourceTexts.front());
  return sources;
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
  std::vector<std::string> wadPaths;
  if (state.TrackMode) {
    wadPaths = TrackWadPaths(host.GamePath());
    std::copy(wadPaths.begin(), wadPaths.end(), state.WadPaths.begin());
  } else {
    wadPaths.push_back(state.WadPaths[0]);
  }
  if (Refusal refusal = UpdateAll(wadPaths, std::get<std::vector<UpdateSource>>(taken), host, state,
                                  fileSystem, options)) {
    host.ShowMessage(*refusal);
    return;
  }
  host.ShowProgress(0, CompletionText("Update done in ", host.TimeSource().Now() - startTime,
                                      host.DecimalSeparator()));
}

}  // namespace quillmoor
