#include "io/WindowsErrors.h"

namespace quillmoor {

IoFailure IoFailureFromWindowsError(std::uint32_t errorNumber) {
  switch (errorNumber) {
    case 2:  // ERROR_FILE_NOT_FOUND
      return IoFailure::FileNotFound;
    case 3:    // ERROR_PATH_NOT_FOUND
    case 123:  // ERROR_INVALID_NAME
    case 161:  // ERROR_BAD_PATHNAME
    case 206:  // ERROR_FILENAME_EXCED_RANGE
    case 267:  // ERROR_DIRECTORY
      return IoFailure::InvalidName;
    case 4:  // ERROR_TOO_MANY_OPEN_FILES
      return IoFailure::TooManyOpenFiles;
    case 5:   // ERROR_ACCESS_DENIED
    case 19:  // ERROR_WRITE_PROTECT
    case 32:  // ERROR_SHARING_VIOLATION
    case 33:  // ERROR_LOCK_VIOLATION
      return IoFailure::AccessDenied;
    case 38:  // ERROR_HANDLE_EOF
      return IoFailure::ReadBeyondEnd;
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
      return IoFailure::DiskFull;
    default:
      return IoFailure::Other;
  }
}

IoError IoErrorFromWindowsError(std::uint32_t errorNumber, const std::string& fileName) {
  return IoError(IoFailureFromWindowsError(errorNumber), static_cast<int>(errorNumber), fileName);
}

}  // namespace quillmoor
