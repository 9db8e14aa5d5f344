#include "cli/CheckCommands.h"

#include <filesystem>
#include <system_error>

#include "cli/PrintableText.h"
#include "io/IoError.h"
#include "operations/WadCheck.h"
#include "operations/WadComparison.h"
#include "paths/CodePage.h"
#include "paths/FileSystemPath.h"

namespace quillmoor {

namespace {

std::string ShownName(const WadDirectoryEntry& entry) {
  return PrintableText(Windows1252ToUtf8(EntryName(entry)));
}

void PrintFinding(const WadHealth& health, const WadFinding& finding, std::ostream& out) {
  const WadDirectoryEntry& entry = health.entries[finding.entry];
  const std::string where =
      " (offset " + std::to_string(entry.Offset) + ", size " + std::to_string(entry.Size) + ")";
  switch (finding.kind) {
    case WadFindingKind::BlockOutsideFile:
      out << "block outside the file: " << ShownName(entry) << where << '\n';
      break;
    case WadFindingKind::BlockOverDirectory:
      out << "block over the directory: " << ShownName(entry) << where << '\n';
      break;
    case WadFindingKind::NameWindowsCantHold:
      out << "name Windows can't hold: " << ShownName(entry) << '\n';
      break;
    case WadFindingKind::DuplicateName:
      out << "duplicate name: " << ShownName(entry) << " (entries " << finding.other + 1 << " and "
          << finding.entry + 1 << ")\n";
      break;
    case WadFindingKind::Gap:
      out << "gap: " << finding.length << " bytes at " << finding.position << '\n';
      break;
    case WadFindingKind::Overlap:
      out << "overlap: " << ShownName(entry) << " starts inside "
          << ShownName(health.entries[finding.other]) << '\n';
      break;
  }
}

std::unique_ptr<ComparedSide> SideOf(const std::string& name, FileSystem& fileSystem) {
  std::error_code error;
  if (std::filesystem::is_directory(PathFromText(name), error)) {
    return FolderSide(name, fileSystem);
  }
  return WadSide(name, fileSystem);
}

}  // namespace

int RunTestCommand(const CommandRun& run) {
  if (run.line.operands.size() != 1) return WrongUsage(run.streams.err, "test takes one WAD");
  const WadHealth health = CheckWad(run.line.operands[0], run.fileSystem);
  std::ostream& out = run.streams.out;
  for (const WadFinding& finding : health.findings) PrintFinding(health, finding, out);
  out << health.entries.size() << " entries, " << health.dataBytes << " bytes, "
      << health.CountOf(WadFindingKind::Gap) << " gaps, " << health.CountOf(WadFindingKind::Overlap)
      << " overlaps, " << health.CountOf(WadFindingKind::DuplicateName) << " duplicate names, "
      << health.CountOf(WadFindingKind::NameWindowsCantHold)
      << " names Windows can't hold: " << (health.Damaged() ? "damaged" : "sound") << '\n';
  return health.Damaged() ? kExitFailure : kExitSuccess;
}

int RunDiffCommand(const CommandRun& run) {
  const std::vector<std::string>& operands = run.line.operands;
  if (operands.size() != 2)
    return WrongUsage(run.streams.err, "diff takes a WAD and a WAD or FOLDER");
  try {
    const std::unique_ptr<ComparedSide> first = WadSide(operands[0], run.fileSystem);
    const std::unique_ptr<ComparedSide> second = SideOf(operands[1], run.fileSystem);
    const std::vector<EntryDifference> differences = CompareSides(*first, *second);
    std::ostream& out = run.streams.out;
    for (const EntryDifference& difference : differences) {
      const std::string name = PrintableText(difference.shownName);
      switch (difference.kind) {
        case DifferenceKind::OnlyInFirst:
          out << "only in " << PrintableText(operands[0]) << ": " << name << '\n';
          break;
        case DifferenceKind::OnlyInSecond:
          out << "only in " << PrintableText(operands[1]) << ": " << name << '\n';
          break;
        case DifferenceKind::Size:
          out << "size differs: " << name << ' ' << difference.firstSize << " -> "
              << difference.secondSize << '\n';
          break;
        case DifferenceKind::Bytes:
          out << "bytes differ: " << name << '\n';
          break;
      }
    }
    return differences.empty() ? kExitSuccess : kExitFailure;
  } catch (const IoError& error) {
    run.streams.err << PrintableText(ErrorBoxText(error.what())) << '\n';
    return kExitTrouble;
  }
}

}  // namespace quillmoor
