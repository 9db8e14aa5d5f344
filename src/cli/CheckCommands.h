// test WAD and diff WAD OTHER: a wad read and compared without changing anything.
#pragma once

#include "cli/CommandRun.h"

namespace quillmoor {

// Prints what is wrong or unusual in the wad, then one line of counts and "sound" or
// "damaged". Exit 0 sound, 1 damaged or unreadable.
int RunTestCommand(const CommandRun& run);

// Prints the entries only in one side or different. OTHER is a wad or a folder. Exit 0 the
// same, 1 different, 2 when a side can't be read, as diff does.
int RunDiffCommand(const CommandRun& run);

}  // namespace quillmoor
