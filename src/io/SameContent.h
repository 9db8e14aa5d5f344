// Whether two files hold the same bytes, read a slice at a time.
#pragma once

#include "io/FileSystem.h"

namespace quillmoor {

bool HoldSameBytes(File& one, File& other);

}  // namespace quillmoor
