// How the error numbers of Windows calls (GetLastError) become the failure kinds the user is
// shown. The numbers are written out, not taken from <windows.h>, so the table is checked on
// every platform.
#pragma once

#include <cstdint>
#include <string>

#include "io/IoError.h"

namespace quillmoor {

// The kind of failure that the Windows error number stands for. Windows tells a missing file
// (2) from a missing folder on the way to it (3) itself.
IoFailure IoFailureFromWindowsError(std::uint32_t errorNumber);

// The IoError for a failed call on fileName.
IoError IoErrorFromWindowsError(std::uint32_t errorNumber, const std::string& fileName);

}  // namespace quillmoor
