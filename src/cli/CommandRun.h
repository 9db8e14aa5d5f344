// What each command of quillmoor-cli is run with, and how it ends.
#pragma once

#include <ostream>
#include <string>

#include "cli/Cli.h"
#include "cli/CliHost.h"
#include "cli/CommandLine.h"
#include "io/FileSystem.h"

namespace quillmoor {

struct CommandRun {
  std::string command;
  const CommandLine& line;
  const CliStreams& streams;
  FileSystem& fileSystem;

  bool Quiet() const { return line.Has("quiet"); }
  bool Verbose() const { return line.Has("verbose"); }
  // Where progress goes: the terminal's stderr, unless quiet.
  std::ostream* Progress() const { return Quiet() ? nullptr : streams.progress; }
};

// The one line of a wrong command line, and a pointer to the help; gives kExitUsage.
int WrongUsage(std::ostream& err, const std::string& problem);

// Clears the progress line, if one was drawn.
void ClearProgress(const CommandRun& run);

// Ends an operation run through host: its refusal on stderr, or its completion text there
// unless quiet. Gives the exit status.
int Finish(const CliHost& host, const CommandRun& run);

}  // namespace quillmoor
