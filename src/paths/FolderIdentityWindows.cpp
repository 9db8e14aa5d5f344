// On Windows a folder is its volume's serial number and its file index there: the C runtime's
// st_ino is always 0.
#include <windows.h>

#include "paths/FileSystemPath.h"
#include "paths/FolderIdentity.h"

namespace quillmoor {

std::optional<FolderIdentity> FolderAt(const std::string& path) {
  // Opening a folder needs FILE_FLAG_BACKUP_SEMANTICS; without FILE_FLAG_OPEN_REPARSE_POINT
  // the handle is the one of the folder a link leads to.
  const HANDLE handle = ::CreateFileW(PathFromText(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = ::GetFileInformationByHandle(handle, &information) != 0;
  ::CloseHandle(handle);
  if (!known || !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return FolderIdentity{
      information.dwVolumeSerialNumber,
      (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

}  // namespace quillmoor
