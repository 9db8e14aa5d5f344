// Runs quillmoor-cli's command line in the test's process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "io/FileSystem.h"

namespace quillmoor::testing {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

inline Outcome RunCommand(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, {out, err}, NativeFileSystem());
  return {status, out.str(), err.str()};
}

}  // namespace quillmoor::testing
