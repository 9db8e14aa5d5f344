// Before an operation reads or changes a wad: the commits that an earlier run left unfinished
// in the wad's folder are finished first (io/Commit.h), and what killed runs left there goes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace quillmoor {

// Finishes what earlier runs left in the folders of the files named (each, and the folder its
// symbolic link leads to) and in the folders named with a final separator. Gives the refusal
// when a journal can't be finished: the operation must not go on, and the journal stays.
std::optional<std::string> FinishEarlierChanges(FileSystem& fileSystem,
                                                const std::vector<std::string>& names);

}  // namespace quillmoor
