#include "cli/Cli.h"

#include <exception>

#include "cli/CliHost.h"
#include "cli/ListCommand.h"
#include "wad/Extraction.h"
#include "wad/IoError.h"

namespace quillmoor {

namespace {

constexpr const char* kVersionText = "Quillmoor 2.9";

constexpr const char* kUsage =
    "Usage: quillmoor-cli COMMAND ARGUMENTS\n"
    "\n"
    "Works on the .wad archives of Grand Prix 4.\n"
    "\n"
    "Commands:\n"
    "  list WAD              print each entry of WAD: offset, size and name, separated by tabs\n"
    "  extract WAD FOLDER    write every entry of WAD as a file below FOLDER\n"
    "\n"
    "Options:\n"
    "  --help                print this text\n"
    "  --version             print the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed (the reason on stderr), 2 wrong usage.\n"
    "The window's remembered settings are neither read nor changed.\n";

int WrongUsage(std::ostream& err, const std::string& problem) {
  err << "quillmoor-cli: " << problem << "\n\n" << kUsage;
  return kExitUsage;
}

// Ends an operation run through host: its refusal on err, or its final text on out.
int Finish(const CliHost& host, const CliStreams& streams) {
  if (streams.progress != nullptr) *streams.progress << "\r\x1b[K" << std::flush;
  if (!host.Refusal().empty()) {
    streams.err << host.Refusal() << '\n';
    return kExitFailure;
  }
  streams.out << host.StatusText() << '\n';
  return kExitSuccess;
}

int RunCommand(std::span<const std::string> args, const CliStreams& streams,
               FileSystem& fileSystem) {
  const std::string& command = args[0];
  if (command == "list") {
    if (args.size() != 2) return WrongUsage(streams.err, "list takes one WAD");
    ListWad(args[1], streams.out, fileSystem);
    return kExitSuccess;
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
  if (args[0] == "--help" || args[0] == "-h") {
    streams.out << kUsage;
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
    streams.err << ErrorBoxText(error.what()) << '\n';
    return kExitFailure;
  }
}

}  // namespace quillmoor
