#pragma once

#include <cstdint>

#include "io/FileSystem.h"

namespace quillmoor {

// Copies size bytes of source, from sourcePosition on, into target at position, one chunk of
// at most 1 MiB at a time: what a file layer does where the system can't copy between the
// two files itself.
void CopyThroughMemory(File& source, std::int32_t sourcePosition, File& target,
                       std::int32_t position, std::int32_t size);

}  // namespace quillmoor
