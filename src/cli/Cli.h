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

// Runs the command line args (without the program's name): results go to out, usage
// problems, refusals and error texts to err. Gives the exit status.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           FileSystem& fileSystem);

}  // namespace quillmoor
