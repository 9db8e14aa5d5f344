#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "wad/FileSystem.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quillmoor::RunCli(args, std::cout, std::cerr, quillmoor::NativeFileSystem());
}
