// The record a track update leaves in the game folder: which track wads it replaced keeping
// their previous versions, so that undo-tracks and the window's undo put back exactly those.
// It is written as one more file of the update's commit, so it changes with the wads or not at
// all.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "io/Replacement.h"

namespace quillmoor {

// The record's file beside the track wad firstTrackWad: "quillmoor-track-update.txt".
std::string TrackUpdateRecordFile(FileSystem& fileSystem, const std::string& firstTrackWad);

// The record of a track update that replaced the wads (full paths, all in the record's
// folder), written under a temporary name for a commit.
std::unique_ptr<FileReplacement> WriteTrackUpdateRecord(FileSystem& fileSystem,
                                                        const std::string& recordFile,
                                                        const std::vector<std::string>& wads);

// The wads (full paths) that the record names; nothing when there is no record or it isn't
// one.
std::optional<std::vector<std::string>> ReadTrackUpdateRecord(FileSystem& fileSystem,
                                                              const std::string& recordFile);

}  // namespace quillmoor
