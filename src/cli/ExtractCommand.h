// extract WAD [FOLDER] [PATTERN...], and with -O the entries' bytes on standard output.
#pragma once

#include "cli/CommandRun.h"

namespace quillmoor {

int RunExtractCommand(const CommandRun& run);

}  // namespace quillmoor
