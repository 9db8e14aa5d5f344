// The values that live from start-up to exit and that the operations share. Each operation
// sets what it uses before it uses it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "operations/TrackNames.h"

namespace quillmoor {

struct ProgramState {
  // The full paths of the source files of the running creation or update.
  std::vector<std::string> SourceList;
  // The wads of the running update: the wad field's, or the 17 track wads.
  std::array<std::string, TrackNames.size()> WadPaths;
  // On only during a run started by "Update track wads".
  bool TrackMode = false;
  // Whether the last look for the game folder found "GP4.exe" there.
  bool GameFolderFound = false;
  // The wads the last creation or update replaced and whose previous versions it kept: what
  // an undo puts back.
  std::vector<std::string> ReplacedWads;
  // When that run was a track update: the record it left of the wads it replaced
  // (operations/TrackUpdateRecord.h), which the window's undo follows. Empty otherwise.
  std::string TrackUpdateRecord;
};

}  // namespace quillmoor
