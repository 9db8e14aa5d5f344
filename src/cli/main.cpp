#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Terminal.h"
#include "io/FileSystem.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool terminal = quillmoor::PrepareProgressTerminal();
  quillmoor::MakeStandardOutputBinary();
  const quillmoor::CliStreams streams{std::cout, std::cerr, terminal ? &std::cerr : nullptr};
  return quillmoor::RunCli(args, streams, quillmoor::NativeFileSystem());
}
