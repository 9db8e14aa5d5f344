#include <unistd.h>

#include "cli/Terminal.h"

namespace quillmoor {

bool PrepareProgressTerminal() { return isatty(STDERR_FILENO) == 1; }

// POSIX streams never change the bytes they pass.
void MakeStandardOutputBinary() {}

}  // namespace quillmoor
