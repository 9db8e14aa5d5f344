#include "cli/Cli.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/CliHost.h"
#include "cli/ListCommand.h"
#include "cli/PrintableText.h"
#include "io/IoError.h"
#include "operations/Creation.h"
#include "operations/Extraction.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/TrackNames.h"
#include "operations/Undo.h"
#include "operations/Update.h"
#include "settings/GameFolder.h"
#include "settings/SettingsStore.h"

namespace quillmoor {

namespace {

constexpr const char* kVersionText = "Quillmoor 2.9";

constexpr const char* kUsage =
    "Usage: quillmoor-cli COMMAND ARGUMENTS\n"
    "  or:  quillmoor-cli COMMAND --help\n"
    "\n"
    "Works on the .wad archives of Grand Prix 4.\n"
    "\n"
    "Commands:\n"
    "  list WAD              print each entry of WAD: offset, size and name, separated by tabs\n"
    "  extract WAD FOLDER    write every entry of WAD as a file below FOLDER\n"
    "  create FOLDER WAD     pack every file below FOLDER into the new wad WAD\n"
    "  update WAD SOURCE     put the file SOURCE, or every file below the folder SOURCE, into\n"
    "                        WAD: each replaces the entry it matches or is added\n"
    "  update-tracks SOURCE [--game-folder DIR]\n"
    "                        the same for the 17 track wads of the game folder (found as the\n"
    "                        window finds it, unless DIR names it)\n"
    "  update and update-tracks take --dry-run: print each replace or add, write nothing\n"
    "  undo WAD              put back the previous version of WAD, kept as WAD.bak when it was\n"
    "                        replaced; the version it had becomes WAD.bak, so undo again redoes\n"
    "  undo-tracks [--game-folder DIR]\n"
    "                        the same for the 17 track wads, all of them or none\n"
    "  create, update and update-tracks take --no-backup: keep no previous version\n"
    "\n"
    "Options:\n"
    "  --help                print this text, or with a COMMAND that command's usage\n"
    "  --version             print the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed (the reason on stderr), 2 wrong usage.\n"
    "The window's remembered settings are neither read nor changed.\n";

// What COMMAND --help prints, for each command.
struct CommandUsage {
  std::string_view command;
  std::string_view text;
};

constexpr CommandUsage kCommandUsages[] = {
    {"list",
     "Usage: quillmoor-cli list WAD\n"
     "\n"
     "Prints one line per entry of WAD, in the order of its directory: the offset, the size\n"
     "and the name, separated by tabs. Nothing is printed when WAD is damaged.\n"},
    {"extract",
     "Usage: quillmoor-cli extract WAD FOLDER\n"
     "\n"
     "Writes every entry of WAD as a file below FOLDER, in the folders its name gives.\n"},
    {"create",
     "Usage: quillmoor-cli create FOLDER WAD [--no-backup]\n"
     "\n"
     "Packs every file below FOLDER into the new wad WAD. An existing WAD is kept as WAD.bak.\n"
     "\n"
     "  --no-backup           keep no previous version\n"},
    {"update",
     "Usage: quillmoor-cli update WAD SOURCE [--dry-run] [--no-backup]\n"
     "\n"
     "Puts the file SOURCE, or every file below the folder SOURCE, into WAD: each replaces\n"
     "the entry it matches, or is added when WAD has none. WAD as it was is kept as WAD.bak.\n"
     "\n"
     "  --dry-run             print each 'replace NAME OLD -> NEW' or 'add NAME SIZE' and\n"
     "                        write nothing\n"
     "  --no-backup           keep no previous version\n"},
    {"update-tracks",
     "Usage: quillmoor-cli update-tracks SOURCE [--game-folder DIR] [--dry-run]\n"
     "\n"
     "Puts the file SOURCE, or every file below the folder SOURCE, into the 17 track wads\n"
     "of the game: all of them change, or none.\n"
     "\n"
     "  --game-folder DIR     the game's folder (the one that holds GP4.exe); without it, the\n"
     "                        folder is found as the window finds it\n"
     "  --dry-run             print each 'replace NAME OLD -> NEW' or 'add NAME SIZE' and\n"
     "                        write nothing\n"
     "  --no-backup           keep no previous versions\n"},
    {"undo",
     "Usage: quillmoor-cli undo WAD\n"
     "\n"
     "Exchanges WAD with WAD.bak, the previous version that the last create or update of WAD\n"
     "kept: WAD is as it was before, and undo again redoes.\n"},
    {"undo-tracks",
     "Usage: quillmoor-cli undo-tracks [--game-folder DIR]\n"
     "\n"
     "Exchanges each of the 17 track wads of the game with its .bak, all of them or none.\n"
     "\n"
     "  --game-folder DIR     the game's folder (the one that holds GP4.exe); without it, the\n"
     "                        folder is found as the window finds it\n"},
};

const CommandUsage* UsageOf(const std::string& command) {
  for (const CommandUsage& usage : kCommandUsages) {
    if (usage.command == command) return &usage;
  }
  return nullptr;
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// The game folder as the window finds it: a chosen "GP4Path", then the installation record.
// Reads the window's settings, writes nothing.
std::string InstalledGameFolder() {
  bool found = false;
  return FindGameFolder(*SettingsStore::ForCurrentUser(), PlatformInstallationRecord(), found);
}

int WrongUsage(std::ostream& err, const std::string& problem) {
  err << "quillmoor-cli: " << problem << "\nTry 'quillmoor-cli --help'.\n";
  return kExitUsage;
}

// Ends an operation run through host: its refusal on err, or its final text on out.
int Finish(const CliHost& host, const CliStreams& streams) {
  if (streams.progress != nullptr) *streams.progress << "\r\x1b[K" << std::flush;
  if (!host.Refusal().empty()) {
    streams.err << PrintableText(host.Refusal()) << '\n';
    return kExitFailure;
  }
  streams.out << host.StatusText() << '\n';
  return kExitSuccess;
}

// A command's arguments: its operands and the options it was given.
struct Arguments {
  std::vector<std::string> operands;
  bool dryRun = false;
  bool noBackup = false;
  std::optional<std::string> gameFolder;
  // What was wrong with them; empty when nothing was.
  std::string problem;
};

// The options each command takes.
struct AcceptedOptions {
  bool dryRun = false;
  bool noBackup = false;
  bool gameFolder = false;
};

Arguments ParseArguments(std::span<const std::string> args, AcceptedOptions accepted) {
  Arguments parsed;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (accepted.dryRun && args[i] == "--dry-run") {
      parsed.dryRun = true;
    } else if (accepted.noBackup && args[i] == "--no-backup") {
      parsed.noBackup = true;
    } else if (accepted.gameFolder && args[i] == "--game-folder") {
      if (i + 1 == args.size()) {
        parsed.problem = "--game-folder needs a DIR";
        return parsed;
      }
      parsed.gameFolder = args[++i];
    } else if (args[i].starts_with("--")) {
      parsed.problem = "unknown option '" + args[i] + "' for " + args[0];
      return parsed;
    } else {
      parsed.operands.push_back(args[i]);
    }
  }
  return parsed;
}

std::string GameFolderOf(const Arguments& arguments) {
  return arguments.gameFolder ? *arguments.gameFolder : InstalledGameFolder();
}

// update WAD SOURCE and update-tracks SOURCE [--game-folder DIR]; both [--dry-run]
// [--no-backup].
int RunUpdateCommand(std::span<const std::string> args, const CliStreams& streams,
                     FileSystem& fileSystem) {
  const bool tracks = args[0] == "update-tracks";
  const Arguments arguments = ParseArguments(args, {true, true, tracks});
  if (!arguments.problem.empty()) return WrongUsage(streams.err, arguments.problem);
  if (arguments.operands.size() != (tracks ? 1u : 2u)) {
    return WrongUsage(
        streams.err, tracks ? "update-tracks takes one SOURCE" : "update takes a WAD and a SOURCE");
  }
  UpdateOptions options;
  options.dryRun = arguments.dryRun;
  options.keepBackup = !arguments.noBackup;
  if (options.dryRun)
    options.report = [&streams](const std::string& line) {
      streams.out << PrintableText(line) << '\n';
    };
  const std::vector<std::string>& operands = arguments.operands;
  CliHost host(operands.back(), tracks ? "" : operands.front(), "", streams.progress);
  ProgramState state;
  state.TrackMode = tracks;
  if (tracks) host.SetGamePath(GameFolderOf(arguments));
  // A commit another run is making on these wads ends, or one cut short is finished, first.
  const std::string wad = tracks ? TrackWadPaths(host.GamePath()).front() : operands.front();
  if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, {wad})) {
    host.ShowMessage(*refusal);
    return Finish(host, streams);
  }
  RunUpdate(host, state, fileSystem, options);
  return Finish(host, streams);
}

// create FOLDER WAD [--no-backup].
int RunCreateCommand(std::span<const std::string> args, const CliStreams& streams,
                     FileSystem& fileSystem) {
  const Arguments arguments = ParseArguments(args, {.noBackup = true});
  if (!arguments.problem.empty()) return WrongUsage(streams.err, arguments.problem);
  if (arguments.operands.size() != 2) {
    return WrongUsage(streams.err, "create takes a FOLDER and a WAD");
  }
  CliHost host(arguments.operands[0], "", arguments.operands[1], streams.progress);
  ProgramState state;
  CreationOptions options;
  options.keepBackup = !arguments.noBackup;
  CreateWad(host, state, fileSystem, options);
  return Finish(host, streams);
}

// undo WAD and undo-tracks [--game-folder DIR].
int RunUndoCommand(std::span<const std::string> args, const CliStreams& streams,
                   FileSystem& fileSystem) {
  const bool tracks = args[0] == "undo-tracks";
  const Arguments arguments = ParseArguments(args, {.gameFolder = tracks});
  if (!arguments.problem.empty()) return WrongUsage(streams.err, arguments.problem);
  if (arguments.operands.size() != (tracks ? 0u : 1u)) {
    return WrongUsage(streams.err,
                      tracks ? "undo-tracks takes no WAD, only --game-folder" : "undo takes a WAD");
  }
  CliHost host("", "", "", streams.progress);
  if (tracks) {
    const std::string gameFolder = GameFolderOf(arguments);
    if (gameFolder.empty()) {
      host.ShowMessage(kNoGameFolderMessage);
      return Finish(host, streams);
    }
    UndoWads(TrackWadPaths(gameFolder), host, fileSystem);
  } else {
    UndoWads(arguments.operands, host, fileSystem);
  }
  return Finish(host, streams);
}

int RunCommand(std::span<const std::string> args, const CliStreams& streams,
               FileSystem& fileSystem) {
  const std::string& command = args[0];
  if (command == "list") {
    if (args.size() != 2) return WrongUsage(streams.err, "list takes one WAD");
    if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem, {args[1]})) {
      streams.err << PrintableText(*refusal) << '\n';
      return kExitFailure;
    }
    ListWad(args[1], streams.out, fileSystem);
    return kExitSuccess;
  }
  if (command == "update" || command == "update-tracks") {
    return RunUpdateCommand(args, streams, fileSystem);
  }
  if (command == "create") return RunCreateCommand(args, streams, fileSystem);
  if (command == "undo" || command == "undo-tracks") {
    return RunUndoCommand(args, streams, fileSystem);
  }
  if (command == "extract") {
    if (args.size() != 3) return WrongUsage(streams.err, "extract takes a WAD and a FOLDER");
    CliHost host("", args[1], args[2], streams.progress);
    ExtractWad(host, fileSystem);
    return Finish(host, streams);
  }
  return WrongUsage(streams.err, "unknown command '" + command + "'");
}

}  // namespace

int RunCli(std::span<const std::string> args, const CliStreams& streams, FileSystem& fileSystem) {
  if (args.empty()) return WrongUsage(streams.err, "no command given");
  if (IsHelpOption(args[0])) {
    streams.out << kUsage;
    return kExitSuccess;
  }
  if (const CommandUsage* usage = UsageOf(args[0]);
      usage != nullptr && std::ranges::any_of(args.subspan(1), IsHelpOption)) {
    streams.out << usage->text;
    return kExitSuccess;
  }
  if (args[0] == "--version") {
    streams.out << kVersionText << '\n';
    return kExitSuccess;
  }
  try {
    return RunCommand(args, streams, fileSystem);
  } catch (const std::exception& error) {
    if (streams.progress != nullptr) *streams.progress << "\r\x1b[K" << std::flush;
    streams.err << PrintableText(ErrorBoxText(error.what())) << '\n';
    return kExitFailure;
  }
}

}  // namespace quillmoor
