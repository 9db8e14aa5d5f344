#include "io/Commit.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <set>
#include <string_view>
#include <thread>

#include "io/IoError.h"
#include "io/Processes.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

namespace {

// The journal is text: a first line, then per batch its steps and a line "sync", then "end".
// "done" lines follow, one per batch done. Names are relative to the journal's folder when they
// lie in it; a tab, a line end or a percent sign in a name is written as %XX.
constexpr std::string_view kFirstLine = "quillmoor commit 1";
constexpr std::string_view kRename = "rename";
constexpr std::string_view kRemove = "remove";
constexpr std::string_view kSync = "sync";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kDone = "done";

std::string Escaped(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      text += '%';
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    } else {
      text += c;
    }
  }
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      name += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    name += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return name;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// What a journal holds: the steps still to do, batch by batch, and how many batches are done.
struct JournalSteps {
  std::vector<std::vector<std::pair<std::string, std::string>>> batches;
  std::size_t done = 0;
};

// The steps of a journal's text; nothing when it isn't a whole journal. A last line without
// its line end is one that was being written when the process ended, and doesn't count.
std::optional<JournalSteps> ParseJournal(std::string_view text) {
  JournalSteps steps;
  std::vector<std::pair<std::string, std::string>> batch;
  bool first = true;
  bool ended = false;
  while (!text.empty()) {
    const std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos) break;
    const std::string_view line = text.substr(0, lineEnd);
    text.remove_prefix(lineEnd + 1);
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
    } else if (ended) {
      if (line != kDone) return std::nullopt;
      ++steps.done;
    } else if (line == kEnd) {
      ended = true;
    } else if (line == kSync) {
      steps.batches.push_back(std::move(batch));
      batch.clear();
    } else {
      const std::vector<std::string_view> fields = Fields(line);
      const bool rename = fields[0] == kRename && fields.size() == 3;
      if (!rename && (fields[0] != kRemove || fields.size() != 2)) return std::nullopt;
      std::optional<std::string> from = Unescaped(fields[1]);
      std::optional<std::string> to = rename ? Unescaped(fields[2]) : std::string();
      if (!from || !to || from->empty() || (rename && to->empty())) return std::nullopt;
      batch.emplace_back(std::move(*from), std::move(*to));
    }
  }
  if (!ended || !batch.empty() || steps.done > steps.batches.size()) return std::nullopt;
  return steps;
}

// A name as the journal in folder writes it, and back.
std::string RelativeTo(const std::string& folder, const std::string& name) {
  return !folder.empty() && name.starts_with(folder) ? name.substr(folder.size()) : name;
}

class JournalFolder {
 public:
  JournalFolder(FileSystem& fileSystem, std::string folder)
      : fileSystem_(fileSystem), folder_(std::move(folder)) {}

  std::string Full(const std::string& name) const {
    return fileSystem_.FolderOf(name).empty() ? folder_ + name : name;
  }

 private:
  FileSystem& fileSystem_;
  std::string folder_;
};

std::string NameInFolder(FileSystem& fileSystem, const std::string& path) {
  return path.substr(fileSystem.FolderOf(path).size());
}

// Does a step, or finds it done: a rename whose source is gone and whose destination is there
// was done before.
void DoStep(FileSystem& fileSystem, const std::string& from, const std::string& to) {
  if (to.empty()) {
    if (fileSystem.Exists(from)) fileSystem.Remove(from);
    return;
  }
  if (fileSystem.Exists(from)) {
    fileSystem.Rename(from, to);
    // A rename between two names of one file (a backup that already is the wad, left by an
    // earlier run) leaves both: the temporary one goes.
    if (IsTemporaryFileName(NameInFolder(fileSystem, from)) && fileSystem.Exists(from)) {
      fileSystem.Remove(from);
    }
  } else if (!fileSystem.Exists(to)) {
    throw IoError(IoFailure::FileNotFound, ENOENT, from);
  }
}

// The folders whose entries the steps change, each once.
std::set<std::string> FoldersOf(FileSystem& fileSystem,
                                const std::vector<std::pair<std::string, std::string>>& steps) {
  std::set<std::string> folders;
  for (const auto& [from, to] : steps) {
    folders.insert(fileSystem.FolderOf(from));
    if (!to.empty()) folders.insert(fileSystem.FolderOf(to));
  }
  return folders;
}

// Does the batches from done on, noting each in journal once done and on disk.
void DoBatches(FileSystem& fileSystem, const JournalSteps& steps, const JournalFolder& place,
               File& journal) {
  std::int64_t end = journal.Length();
  const std::string doneLine = std::string(kDone) + "\n";
  for (std::size_t b = steps.done; b < steps.batches.size(); ++b) {
    std::vector<std::pair<std::string, std::string>> batch;
    for (const auto& [from, to] : steps.batches[b]) {
      batch.emplace_back(place.Full(from), to.empty() ? to : place.Full(to));
    }
    for (const auto& [from, to] : batch) DoStep(fileSystem, from, to);
    for (const std::string& folder : FoldersOf(fileSystem, batch)) fileSystem.SyncFolder(folder);
    journal.WriteAt(static_cast<std::int32_t>(end), doneLine);
    end += static_cast<std::int64_t>(doneLine.size());
    journal.Flush();
  }
}

// Finishes the journal named journalName in folder; false when it can't be.
bool FinishJournal(FileSystem& fileSystem, const std::string& folder,
                   const std::string& journalName) {
  try {
    const std::unique_ptr<File> journal = fileSystem.OpenForReadingAndWriting(journalName);
    std::string text(static_cast<std::size_t>(journal->Length()), '\0');
    journal->ReadAt(0, text);
    const std::optional<JournalSteps> steps = ParseJournal(text);
    if (!steps) return false;
    DoBatches(fileSystem, *steps, JournalFolder(fileSystem, folder), *journal);
    journal->Close();
    fileSystem.Remove(journalName);
    fileSystem.SyncFolder(folder);
    return true;
  } catch (const IoError&) {
    return false;
  }
}

bool WrittenByOtherLiveProcess(std::string_view fileName) {
  const std::optional<long> writer = TemporaryFileWriter(fileName);
  return writer && *writer != CurrentProcessId() && !ProcessIsGone(*writer);
}

}  // namespace

void Commit::Replace(std::unique_ptr<FileReplacement> written, bool keepPrevious) {
  changes_.push_back({keepPrevious ? ChangeKind::ReplaceKeepingPrevious : ChangeKind::Replace,
                      written->Target(), written->TemporaryName()});
  written_.push_back(std::move(written));
}

void Commit::ExchangeWithBackup(const std::string& name) {
  changes_.push_back({ChangeKind::ExchangeWithBackup, fileSystem_.FileNameLeadsTo(name), ""});
}

void Commit::Remove(const std::string& name) { changes_.push_back({ChangeKind::Remove, name, ""}); }

bool Commit::Empty() const { return changes_.empty(); }

std::string Commit::OldVersionName(const std::string& file) const {
  const std::string folder = fileSystem_.FolderOf(file);
  return folder +
         NewTemporaryFileName(file.substr(folder.size()), kOldVersionKind, CurrentProcessId());
}

// Where the file system has hard links, a file's previous version gets a second name before
// the journal is written (a temporary file until then, which the next run removes), so that
// the file's own name never goes missing: one rename puts the other version there. Elsewhere
// the previous version is moved out of the way first, and the journal covers the moment
// between. Gives the second names made.
std::vector<std::string> Commit::PlanSteps() {
  std::vector<std::string> linked;
  for (const Change& change : changes_) {
    if (change.kind == ChangeKind::Remove) {
      batches_[1].push_back({change.file, ""});
      continue;
    }
    const std::string backup = change.file + kBackupSuffix;
    const bool previousKept = change.kind != ChangeKind::Replace && fileSystem_.Exists(change.file);
    const std::string old = previousKept ? OldVersionName(change.file) : std::string();
    const bool oldLinked = previousKept && fileSystem_.LinkIfPossible(change.file, old);
    if (oldLinked) linked.push_back(old);
    if (change.kind == ChangeKind::ExchangeWithBackup) {
      if (!oldLinked) batches_[0].push_back({change.file, old});
      batches_[1].push_back({backup, change.file});
      batches_[2].push_back({old, backup});
      continue;
    }
    if (oldLinked) batches_[1].push_back({old, backup});
    if (previousKept && !oldLinked) batches_[0].push_back({change.file, backup});
    batches_[1].push_back({change.newVersion, change.file});
  }
  return linked;
}

void Commit::Run() {
  if (Empty()) return;
  const std::vector<std::string> linked = PlanSteps();
  const std::string folder = fileSystem_.FolderOf(changes_.front().file);
  std::string text = std::string(kFirstLine) + "\n";
  JournalSteps steps;
  for (const std::vector<Step>& batch : batches_) {
    if (batch.empty()) continue;
    steps.batches.emplace_back();
    for (const Step& step : batch) {
      steps.batches.back().emplace_back(RelativeTo(folder, step.from),
                                        step.to.empty() ? "" : RelativeTo(folder, step.to));
      const auto& [from, to] = steps.batches.back().back();
      text += to.empty() ? std::string(kRemove) + "\t" + Escaped(from)
                         : std::string(kRename) + "\t" + Escaped(from) + "\t" + Escaped(to);
      text += "\n";
    }
    text += std::string(kSync) + "\n";
  }
  text += std::string(kEnd) + "\n";

  const std::string journalName = folder + NewJournalFileName(CurrentProcessId());
  const std::string unfinished = folder + NewTemporaryFileName(journalName.substr(folder.size()),
                                                               kNewVersionKind, CurrentProcessId());
  std::unique_ptr<File> journal = fileSystem_.CreateNew(unfinished, "");
  try {
    journal->WriteAt(0, text);
    journal->Flush();
    fileSystem_.Rename(unfinished, journalName);
  } catch (...) {
    journal.reset();
    try {
      fileSystem_.Remove(unfinished);
      for (const std::string& name : linked) fileSystem_.Remove(name);
    } catch (const IoError&) {
      // The next run on the folder removes what is left.
    }
    throw;
  }
  // The journal is in place: from here on its steps are the commit's, and its new versions
  // stay for whoever finishes it.
  made_ = true;
  for (const std::unique_ptr<FileReplacement>& written : written_) written->HandOver();
  fileSystem_.SyncFolder(folder);
  DoBatches(fileSystem_, steps, JournalFolder(fileSystem_, folder), *journal);
  journal->Close();
  fileSystem_.Remove(journalName);
  fileSystem_.SyncFolder(folder);
}

std::vector<std::string> FinishInterruptedCommits(FileSystem& fileSystem, const std::string& folder,
                                                  std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  std::vector<std::string> names;
  for (;;) {
    try {
      names = fileSystem.NamesIn(folder.empty() ? "." : folder);
    } catch (const IoError&) {
      return {};
    }
    const bool othersCommit = std::any_of(names.begin(), names.end(), [](const std::string& name) {
      return IsJournalFileName(name) && WrittenByOtherLiveProcess(name);
    });
    if (!othersCommit || std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<std::string> unfinished;
  bool othersAtWork = false;
  for (const std::string& name : names) {
    if (!IsJournalFileName(name)) continue;
    if (WrittenByOtherLiveProcess(name)) {
      othersAtWork = true;
    } else if (!FinishJournal(fileSystem, folder, folder + name)) {
      unfinished.push_back(folder + name);
    }
  }
  if (!unfinished.empty() || othersAtWork) return unfinished;
  for (const std::string& name : names) {
    if (IsNameLockFileName(name)) {
      try {
        fileSystem.RemoveAbandonedLock(folder + name);
      } catch (const IoError&) {
        // Left for a later run.
      }
      continue;
    }
    const std::optional<long> writer = TemporaryFileWriter(name);
    if (!writer || IsJournalFileName(name) || *writer == CurrentProcessId() ||
        !ProcessIsGone(*writer)) {
      continue;
    }
    try {
      fileSystem.Remove(folder + name);
    } catch (const IoError&) {
      // Left for a later run.
    }
  }
  return unfinished;
}

}  // namespace quillmoor
