#include "cli/Cli.h"

#include <exception>

#include "cli/ListCommand.h"
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
    "  list WAD      print each entry of WAD: offset, size and name, separated by tabs\n"
    "\n"
    "Options:\n"
    "  --help        print this text\n"
    "  --version     print the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed (the reason on stderr), 2 wrong usage.\n";

int WrongUsage(std::ostream& err, const std::string& problem) {
  err << "quillmoor-cli: " << problem << "\n\n" << kUsage;
  return kExitUsage;
}

}  // namespace

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           FileSystem& fileSystem) {
  if (args.empty()) return WrongUsage(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    out << kUsage;
    return kExitSuccess;
  }
  if (command == "--version") {
    out << kVersionText << '\n';
    return kExitSuccess;
  }
  try {
    if (command == "list") {
      if (args.size() != 2) return WrongUsage(err, "list takes one WAD");
      ListWad(args[1], out, fileSystem);
      return kExitSuccess;
    }
  } catch (const std::exception& error) {
    err << ErrorBoxText(error.what()) << '\n';
    return kExitFailure;
  }
  return WrongUsage(err, "unknown command '" + command + "'");
}

}  // namespace quillmoor
