// The parts of the Windows file layer that its files share: the open file, the names Windows
// is given, and the entry points of the wad lock, the trees of new files and the steps of a
// commit.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "io/FileSystem.h"
#include "io/IoError.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

// Files are shared for reading, writing and deleting, as they are on POSIX: a wad that is open
// can still be replaced by its new version.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

inline constexpr const wchar_t* kWideBackupSuffix = L".bak";

// The IoError for the last failed Windows call on name.
IoError LastError(const std::string& name);

// name as Windows takes it; a name that is not UTF-8 is InvalidName.
std::wstring WideName(const std::string& name);

// The file open as handle, which it closes; name is what its errors give.
std::unique_ptr<File> WindowsFileFromHandle(HANDLE handle, std::string name);

// A name beside target that Quillmoor's temporary files have (io/TemporaryNames.h).
std::wstring TemporaryNameBeside(const std::wstring& target);
// Creates a file beside target under a name of Quillmoor's temporary files
// (io/TemporaryNames.h) that no file has yet, open for reading and writing, and sets name to
// it; a failure is the IoError for shownName.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& name,
                             const std::string& shownName);

// The file that writing to name really changes: where its symbolic link leads, if it is one.
std::wstring FollowLinks(const std::wstring& name);

std::unique_ptr<File> CreateWindowsNew(const std::string& name);
bool WindowsExists(const std::string& name);
void RenameWindows(const std::string& from, const std::string& to);
bool LinkWindowsIfPossible(const std::string& existing, const std::string& newName);
void RemoveWindows(const std::string& name);
std::vector<std::string> NamesInWindowsFolder(const std::string& folder);

std::unique_ptr<File> OpenWindowsExclusive(const std::string& name, std::chrono::milliseconds wait);
std::unique_ptr<NameLock> LockWindowsName(const std::string& lockFile,
                                          std::chrono::milliseconds wait);
void RemoveAbandonedWindowsLock(const std::string& lockFile);

FreeSpace WindowsFreeSpaceFor(const std::string& path);
std::unique_ptr<FolderTree> OpenWindowsFolderTree(const std::string& folder);

}  // namespace quillmoor
