#include "io/PosixErrors.h"

#include <sys/stat.h>

#include <cerrno>

namespace quillmoor {

namespace {

bool ParentFolderExists(const std::string& fileName) {
  const std::string::size_type slash = fileName.find_last_of('/');
  const std::string parent = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
  struct stat status {};
  return stat(parent.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

IoFailure IoFailureFromErrno(int errorNumber, bool parentFolderExists) {
  switch (errorNumber) {
    case ENOENT:
      return parentFolderExists ? IoFailure::FileNotFound : IoFailure::InvalidName;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return IoFailure::InvalidName;
    case EMFILE:
    case ENFILE:
      return IoFailure::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return IoFailure::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return IoFailure::DiskFull;
    default:
      return IoFailure::Other;
  }
}

IoError IoErrorFromErrno(int errorNumber, const std::string& fileName) {
  const bool parentExists =
      errorNumber == ENOENT && !fileName.empty() && ParentFolderExists(fileName);
  return IoError(IoFailureFromErrno(errorNumber, parentExists), errorNumber, fileName);
}

}  // namespace quillmoor
