// The commands that run the window's operations: create, update, update-tracks, undo and
// undo-tracks.
#pragma once

#include "cli/CommandRun.h"

namespace quillmoor {

int RunCreateCommand(const CommandRun& run);
// update WAD SOURCE... and update-tracks SOURCE...: all sources in one run, in the order given;
// with --dry-run the plan on stdout, with -v the
// lines of what was done on stderr; both under a heading per wad.
int RunUpdateCommand(const CommandRun& run);
int RunUndoCommand(const CommandRun& run);

}  // namespace quillmoor
