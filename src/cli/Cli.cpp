#include "cli/Cli.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <vector>

#include "cli/CheckCommands.h"
#include "cli/CommandLine.h"
#include "cli/CommandRun.h"
#include "cli/ExtractCommand.h"
#include "cli/ListCommand.h"
#include "cli/OperationCommands.h"
#include "cli/PrintableText.h"
#include "io/IoError.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "paths/FileExists.h"
#include "operations/Version.h"

namespace quillmoor {

namespace {

// Each command and each option on a line of its own, its description beside it or on the
// lines below, indented: man pages are made from this text.
constexpr const char* kUsage =
    "Usage: quillmoor-cli COMMAND [OPTION...] ARGUMENT...\n"
    "  or:  quillmoor-cli COMMAND --help\n"
    "\n"
    "Works on the .wad archives of Grand Prix 4.\n"
    "\n"
    "Commands:\n"
    "  list WAD              print each entry of WAD: offset, size and name, separated by tabs\n"
    "  extract WAD [FOLDER] [PATTERN...]\n"
    "                        write the entries of WAD, or those PATTERN names, as files below\n"
    "                        FOLDER (by default the wad's name without .wad, beside it)\n"
    "  create FOLDER WAD     pack every file below FOLDER into the new wad WAD\n"
    "  update WAD SOURCE...  put each file SOURCE, and every file below each folder SOURCE,\n"
    "                        into WAD in one run: each replaces the entry it matches or is added\n"
    "  update-tracks SOURCE...\n"
    "                        the same for the 17 track wads of the game folder\n"
    "  undo WAD              put back the previous version of WAD, kept as WAD.bak\n"
    "  undo-tracks           the same for the track wads the last update-tracks replaced\n"
    "  test WAD              read all of WAD and tell whether it is sound\n"
    "  diff WAD OTHER        the entries only in one of them or different; OTHER is a wad or\n"
    "                        a folder, such as WAD extracted\n"
    "\n"
    "Options:\n"
    "  -q, --quiet           print no progress and no completion line\n"
    "  -v, --verbose         print each entry written, replaced or added, on stderr\n"
    "  -O, --to-stdout       extract: write the entries' bytes to standard output\n"
    "  --dry-run             update, update-tracks: print what would change, write nothing\n"
    "  --no-backup           create, update, update-tracks: keep no previous version\n"
    "  --game-folder=DIR     update-tracks, undo-tracks: the game's folder (the one that\n"
    "                        holds GP4.exe), instead of the one the window finds\n"
    "  --                    end of the options: every word behind it is an argument\n"
    "  -h, --help            print this text, or with a COMMAND that command's usage\n"
    "  --version             print the program's name and version\n"
    "\n"
    "Results (lists, plans, differences, entry bytes) go to standard output; progress,\n"
    "completion lines and errors to standard error. A PATTERN may hold * and ?, and ignores\n"
    "case; / and \\ both separate folders; a folder's name takes in what lies below it.\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed (the reason on stderr), 2 wrong usage.\n"
    "test: 0 sound, 1 damaged. diff: 0 the same, 1 different, 2 trouble.\n"
    "The window's remembered settings are neither read nor changed.\n";

constexpr OptionSpec kQuiet{"quiet", 'q'};
constexpr OptionSpec kVerbose{"verbose", 'v'};
constexpr OptionSpec kToStdout{"to-stdout", 'O'};
constexpr OptionSpec kDryRun{"dry-run"};
constexpr OptionSpec kNoBackup{"no-backup"};
constexpr OptionSpec kGameFolder{"game-folder", 0, "DIR"};

constexpr OptionSpec kNoOptions[] = {{"", 0}};
constexpr OptionSpec kExtractOptions[] = {kQuiet, kVerbose, kToStdout};
constexpr OptionSpec kCreateOptions[] = {kQuiet, kNoBackup};
constexpr OptionSpec kUpdateOptions[] = {kQuiet, kVerbose, kDryRun, kNoBackup};
constexpr OptionSpec kUpdateTracksOptions[] = {kQuiet, kVerbose, kDryRun, kNoBackup, kGameFolder};
constexpr OptionSpec kUndoOptions[] = {kQuiet};
constexpr OptionSpec kUndoTracksOptions[] = {kQuiet, kGameFolder};

int RunListCommand(const CommandRun& run) {
  if (run.line.operands.size() != 1) return WrongUsage(run.streams.err, "list takes one WAD");
  ListWad(run.line.operands[0], run.streams.out, run.fileSystem);
  return kExitSuccess;
}

struct Command {
  std::string_view name;
  std::span<const OptionSpec> options;
  int (*run)(const CommandRun&);
  // What COMMAND --help prints.
  std::string_view usage;
};

const Command kCommands[] = {
    {"list", std::span(kNoOptions).first(0), RunListCommand,
     "Usage: quillmoor-cli list WAD\n"
     "\n"
     "Prints one line per entry of WAD, in the order of its directory: the offset, the size\n"
     "and the name, separated by tabs. Nothing is printed when WAD is damaged.\n"},
    {"extract", kExtractOptions, RunExtractCommand,
     "Usage: quillmoor-cli extract [-q] [-v] WAD [FOLDER] [PATTERN...]\n"
     "  or:  quillmoor-cli extract -O WAD [PATTERN...]\n"
     "\n"
     "Writes the entries of WAD as files below FOLDER, in the folders their names give.\n"
     "Without FOLDER, the folder is the wad's name without .wad, beside the wad (cars.wad\n"
     "goes into cars). With PATTERNs, only the entries they name: * stands for any run of\n"
     "characters, ? for one; case is ignored, / and \\ both separate folders, and a folder's\n"
     "name takes in everything below it. A PATTERN that names no entry is an error.\n"
     "\n"
     "  -O, --to-stdout       write the entries' bytes to standard output, one after the\n"
     "                        other in the wad's order (FOLDER - does the same)\n"
     "  -q, --quiet           print no progress and no completion line\n"
     "  -v, --verbose         print the name of each entry written, on stderr\n"},
    {"create", kCreateOptions, RunCreateCommand,
     "Usage: quillmoor-cli create [-q] [--no-backup] FOLDER WAD\n"
     "\n"
     "Packs every file below FOLDER into the new wad WAD. An existing WAD is kept as WAD.bak.\n"
     "\n"
     "  --no-backup           keep no previous version\n"
     "  -q, --quiet           print no progress and no completion line\n"},
    {"update", kUpdateOptions, RunUpdateCommand,
     "Usage: quillmoor-cli update [-q] [-v] [--dry-run] [--no-backup] WAD SOURCE...\n"
     "\n"
     "Puts each file SOURCE, and every file below each folder SOURCE, into WAD: each replaces\n"
     "the entry it matches, or is added when WAD has none. The SOURCEs go in in the order\n"
     "given, in one run: WAD is changed once, and a SOURCE that is missing changes nothing.\n"
     "WAD as it was is kept as WAD.bak.\n"
     "\n"
     "  --dry-run             print the wad's name, then each 'replace NAME OLD -> NEW' or\n"
     "                        'add NAME SIZE' with the key, the mode and why, and write\n"
     "                        nothing\n"
     "  --no-backup           keep no previous version\n"
     "  -q, --quiet           print no progress and no completion line\n"
     "  -v, --verbose         print what --dry-run prints, on stderr, once it is done\n"},
    {"update-tracks", kUpdateTracksOptions, RunUpdateCommand,
     "Usage: quillmoor-cli update-tracks [-q] [-v] [--dry-run] [--no-backup] "
     "[--game-folder=DIR] SOURCE...\n"
     "\n"
     "Puts each file SOURCE, and every file below each folder SOURCE, into the 17 track wads\n"
     "of the game, in the order given and in one run: all of them change, or none.\n"
     "\n"
     "  --game-folder=DIR     the game's folder (the one that holds GP4.exe); without it, the\n"
     "                        folder is found as the window finds it\n"
     "  --dry-run             print, under each wad's name, each 'replace NAME OLD -> NEW' or\n"
     "                        'add NAME SIZE' with the key, the mode and why, or 'unchanged',\n"
     "                        and write nothing\n"
     "  --no-backup           keep no previous versions\n"
     "  -q, --quiet           print no progress and no completion line\n"
     "  -v, --verbose         print what --dry-run prints, on stderr, once it is done\n"},
    {"undo", kUndoOptions, RunUndoCommand,
     "Usage: quillmoor-cli undo [-q] WAD\n"
     "\n"
     "Exchanges WAD with WAD.bak, the previous version that the last create or update of WAD\n"
     "kept: WAD is as it was before, and undo again redoes.\n"},
    {"undo-tracks", kUndoTracksOptions, RunUndoCommand,
     "Usage: quillmoor-cli undo-tracks [-q] [--game-folder=DIR]\n"
     "\n"
     "Exchanges each track wad that the last update-tracks (or the window's \"Update track\n"
     "wads\") replaced with its .bak, all of them or none, as that run recorded them in the\n"
     "game folder; refused when no such run is recorded there.\n"
     "\n"
     "  --game-folder=DIR     the game's folder (the one that holds GP4.exe); without it, the\n"
     "                        folder is found as the window finds it\n"},
    {"test", std::span(kNoOptions).first(0), RunTestCommand,
     "Usage: quillmoor-cli test WAD\n"
     "\n"
     "Reads the directory and every block of WAD, changing nothing, and prints each block\n"
     "outside the file or over the directory, each name Windows can't hold (the game can't\n"
     "use those), each duplicate name, gap and overlap (allowed, but unusual), then one line:\n"
     "the entries, the bytes of data, the counts, and 'sound' or 'damaged'.\n"
     "Exit status: 0 sound, 1 damaged.\n"},
    {"diff", std::span(kNoOptions).first(0), RunDiffCommand,
     "Usage: quillmoor-cli diff WAD OTHER\n"
     "\n"
     "Compares WAD with OTHER, a wad or a folder (such as WAD extracted): prints the entries\n"
     "only in one of them, and those whose size or bytes differ. Names are compared without\n"
     "regard to case. 'diff cars.wad.bak cars.wad' shows what the last update of cars.wad did.\n"
     "Exit status: 0 the same, 1 different, 2 trouble.\n"},
};

const Command* CommandNamed(std::string_view name) {
  const auto found = std::ranges::find(kCommands, name, &Command::name);
  return found == std::end(kCommands) ? nullptr : &*found;
}

// The commands that only read wads finish first what an earlier run left unfinished beside
// the wads they name; those that change wads do so in their operation.
bool ReadsWadsOnly(const Command& command) {
  return command.run == RunListCommand || command.run == RunTestCommand ||
         command.run == RunDiffCommand || command.run == RunExtractCommand;
}

}  // namespace

int RunCli(std::span<const std::string> args, const CliStreams& streams, FileSystem& fileSystem) {
  if (args.empty()) return WrongUsage(streams.err, "no command given");
  if (args[0] == "--help" || args[0] == "-h") {
    streams.out << kUsage;
    return kExitSuccess;
  }
  if (args[0] == "--version") {
    streams.out << kProgramTitle << '\n';
    return kExitSuccess;
  }
  const Command* command = CommandNamed(args[0]);
  if (command == nullptr) return WrongUsage(streams.err, "unknown command '" + args[0] + "'");
  const CommandLine line = ReadCommandLine(args[0], args.subspan(1), command->options);
  if (line.help) {
    streams.out << command->usage;
    return kExitSuccess;
  }
  if (!line.problem.empty()) return WrongUsage(streams.err, line.problem);
  const CommandRun run{args[0], line, streams, fileSystem};
  try {
    if (ReadsWadsOnly(*command) && !line.operands.empty()) {
      const std::vector<std::string> named(
          line.operands.begin(),
          line.operands.begin() + (command->run == RunDiffCommand
                                       ? std::min<std::size_t>(2, line.operands.size())
                                       : 1));
      const auto special = std::find_if(named.begin(), named.end(), IsSpecialFile);
      if (special != named.end()) {
        streams.err << PrintableText(kSpecialFileMessage + *special) << '\n';
        return kExitFailure;
      }
      if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, named)) {
        streams.err << PrintableText(*refusal) << '\n';
        return kExitFailure;
      }
    }
    const int status = command->run(run);
    if (!streams.out.flush()) throw IoError(IoFailure::Other, 0, "");
    return status;
  } catch (const std::exception& error) {
    ClearProgress(run);
    streams.err << PrintableText(ErrorBoxText(error.what())) << '\n';
    return command->run == RunDiffCommand ? kExitTrouble : kExitFailure;
  }
}

}  // namespace quillmoor
