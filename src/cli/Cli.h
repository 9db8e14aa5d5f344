// quillmoor-cli: the wad operations from a terminal.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace quillmoor {

class FileSystem;

// Exit statuses of the command line.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the operation was refused or failed
inline constexpr int kExitUsage = 2;    // the command line was wrong
inline constexpr int kExitTrouble = 2;  // diff: a side could not be read

// Where a command's output goes: results to out; usage problems, refusals and error texts
// to err; progress texts, when wanted, to progress (a terminal).
struct CliStreams {
  std::ostream& out;
  std::ostream& err;
  std::ostream* progress = nullptr;
};

// Runs the command line args (without the program's name) and gives the exit status.
int RunCli(std::span<const std::string> args, const CliStreams& streams, FileSystem& fileSystem);

}  // namespace quillmoor
