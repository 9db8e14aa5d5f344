#include "cli/ExtractCommand.h"

#include <algorithm>
#include <span>
#include <vector>

#include "cli/PrintableText.h"
#include "operations/EntryPattern.h"
#include "operations/Extraction.h"
#include "operations/Messages.h"
#include "paths/CodePage.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

namespace {

// The patterns of the command line, and which of them matched an entry.
class EntrySelection {
 public:
  explicit EntrySelection(std::span<const std::string> patterns)
      : texts_(patterns.begin(), patterns.end()), matched_(patterns.size(), false) {
    for (const std::string& pattern : patterns) patterns_.emplace_back(pattern);
  }

  bool Everything() const { return patterns_.empty(); }

  // Whether the entry matches a pattern; every pattern it matches counts as matched.
  bool Selects(const WadDirectoryEntry& entry) {
    const std::string name = EntryName(entry);
    bool selected = false;
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
      if (patterns_[i].Matches(name)) selected = matched_[i] = true;
    }
    return selected;
  }

  // Says on err which patterns matched no entry; gives whether all matched one.
  bool AllMatched(std::ostream& err) const {
    for (std::size_t i = 0; i < texts_.size(); ++i) {
      if (!matched_[i])
        err << "quillmoor-cli: " << PrintableText(texts_[i]) << ": not in the wad\n";
    }
    return std::ranges::all_of(matched_, [](bool matched) { return matched; });
  }

 private:
  std::vector<std::string> texts_;
  std::vector<EntryPattern> patterns_;
  std::vector<bool> matched_;
};

// The folder extraction goes to without one named: the wad's name without ".wad", beside it,
// as the window offers. Empty for a wad whose name doesn't end in ".wad".
std::string DefaultFolder(const std::string& wadName) {
  const std::string fileName = FileNamePart(wadName);
  if (fileName.size() <= 4 || LowerCase1252(fileName.substr(fileName.size() - 4)) != ".wad") {
    return "";
  }
  return FolderPart(wadName) + fileName.substr(0, fileName.size() - 4);
}

// Writes the selected entries' bytes to out, one entry in memory at a time, in directory
// order. Every selected block is checked against the file before the first byte goes out, so
// a damaged wad writes nothing.
int WriteEntries(const CommandRun& run, const std::string& wadName, EntrySelection& selection) {
  if (IsSpecialFile(wadName)) {
    run.streams.err << PrintableText(kSpecialFileMessage + wadName) << '\n';
    return kExitFailure;
  }
  if (!FileExists(wadName)) {
    run.streams.err << kNoWadFileMessage << '\n';
    return kExitFailure;
  }
  WadReader wad(wadName, run.fileSystem);
  std::vector<const WadDirectoryEntry*> selected;
  for (const WadDirectoryEntry& entry : wad.Entries()) {
    if (selection.Everything() || selection.Selects(entry)) {
      CheckBlockInside(entry, wad.FileLength(), wadName);
      selected.push_back(&entry);
    }
  }
  std::string data;
  for (const WadDirectoryEntry* entry : selected) {
    wad.ReadBlock(*entry, data);
    run.streams.out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (run.Verbose()) {
      run.streams.err << PrintableText(Windows1252ToUtf8(EntryName(*entry))) << '\n';
    }
  }
  wad.Close();
  return selection.AllMatched(run.streams.err) ? kExitSuccess : kExitFailure;
}

int ExtractIntoFolder(const CommandRun& run, const std::string& wadName, const std::string& folder,
                      EntrySelection& selection) {
  ExtractionOptions options;
  if (!selection.Everything()) {
    options.selects = [&selection](const WadDirectoryEntry& entry) {
      return selection.Selects(entry);
    };
  }
  if (run.Verbose()) {
    options.report = [&run](const std::string& name) {
      run.streams.err << PrintableText(name) << '\n';
    };
  }
  CliHost host({}, wadName, folder, run.Progress());
  ExtractWad(host, run.fileSystem, options);
  const int status = Finish(host, run);
  if (status != kExitSuccess) return status;
  return selection.AllMatched(run.streams.err) ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunExtractCommand(const CommandRun& run) {
  const std::vector<std::string>& operands = run.line.operands;
  if (operands.empty()) return WrongUsage(run.streams.err, "extract takes a WAD");
  const std::string& wadName = operands[0];
  // "-" for FOLDER is standard output, as -O.
  const bool toStdout = run.line.Has("to-stdout") || (operands.size() > 1 && operands[1] == "-");
  const std::size_t firstPattern = run.line.Has("to-stdout") ? 1 : 2;
  EntrySelection selection{std::span(operands).subspan(std::min(firstPattern, operands.size()))};
  if (toStdout) return WriteEntries(run, wadName, selection);
  const std::string folder = operands.size() > 1 ? operands[1] : DefaultFolder(wadName);
  if (folder.empty()) {
    return WrongUsage(run.streams.err,
                      "extract needs a FOLDER for a wad whose name doesn't end in .wad");
  }
  return ExtractIntoFolder(run, wadName, folder, selection);
}

}  // namespace quillmoor
