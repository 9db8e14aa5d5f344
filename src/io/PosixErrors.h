// How the error numbers of POSIX calls become the failure kinds the user is shown.
#pragma once

#include <string>

#include "io/IoError.h"

namespace quillmoor {

// The kind of failure that errorNumber stands for. A missing file is "not found" only when
// the folder that should hold it exists; otherwise the path itself is wrong.
IoFailure IoFailureFromErrno(int errorNumber, bool parentFolderExists);

// The IoError for a failed call on fileName, telling a missing file from a wrong path.
IoError IoErrorFromErrno(int errorNumber, const std::string& fileName);

}  // namespace quillmoor
