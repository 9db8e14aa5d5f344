// The lock a run holds on a wad from reading it to replacing it, on Windows: LockFileEx on one
// byte far beyond any wad's data. A byte-range lock keeps other handles from reading and writing
// the range it covers, so locking the wad's own bytes would stop other runs from reading it; the
// byte at 0xFFFFFFFF00000000 is never read, yet a second lock on it is refused. The wad is
// replaced under its name, so the lock on the old file ends with it; a run that waited for the
// lock therefore checks that the name still leads to the file it locked, and otherwise locks
// the new one.
//
// A wad that doesn't exist yet has no file to lock: a creation opens "NAME.quillmoor-lock"
// instead, shared with no one and deleted when closed, so a second opener waits, and the file
// goes when the lock ends, also when its run is killed.
#include <windows.h>

#include <optional>
#include <thread>

#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

namespace {

constexpr DWORD kLockOffsetHigh = 0xFFFFFFFF;

// The volume and file index of the file open as handle: what tells one file from another.
struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;

  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Whether name still leads to the file open as handle.
bool StillNamedBy(HANDLE handle, const std::wstring& name) {
  const HANDLE named = ::CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const std::optional<FileIdentity> open = IdentityOf(handle);
  const bool same = open && open == IdentityOf(named);
  ::CloseHandle(named);
  return same;
}

// Takes the exclusive lock on handle, trying until deadline; false when it is still held.
bool LockBefore(HANDLE handle, std::chrono::steady_clock::time_point deadline,
                const std::string& name) {
  for (;;) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      return true;
    }
    if (::GetLastError() != ERROR_LOCK_VIOLATION) throw LastError(name);
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Holds the lock file open; closing it removes it.
class WindowsNameLock final : public NameLock {
 public:
  explicit WindowsNameLock(HANDLE handle) : handle_(handle) {}
  ~WindowsNameLock() override { ::CloseHandle(handle_); }
  WindowsNameLock(const WindowsNameLock&) = delete;
  WindowsNameLock& operator=(const WindowsNameLock&) = delete;

 private:
  HANDLE handle_;
};

// Opens the lock file for the lock, shared with no one and removed when closed.
HANDLE OpenLockFile(const std::wstring& lockFile, DWORD disposition) {
  return ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

}  // namespace

std::unique_ptr<NameLock> LockWindowsName(const std::string& lockFile,
                                          std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const std::wstring wideName = WideName(lockFile);
  for (;;) {
    const HANDLE handle = OpenLockFile(wideName, OPEN_ALWAYS);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<WindowsNameLock>(handle);
    // Another run holds the lock file open, or has just closed it and it is being removed.
    const DWORD error = ::GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION ||
                      (error == ERROR_ACCESS_DENIED && WindowsExists(lockFile));
    if (!held) throw IoErrorFromWindowsError(error, lockFile);
    if (std::chrono::steady_clock::now() >= deadline) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void RemoveAbandonedWindowsLock(const std::string& lockFile) {
  const HANDLE handle = OpenLockFile(WideName(lockFile), OPEN_EXISTING);
  if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
}

std::unique_ptr<File> OpenWindowsExclusive(const std::string& name,
                                           std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const std::wstring wideName = WideName(name);
  for (;;) {
    const HANDLE handle = ::CreateFileW(wideName.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw LastError(name);
    std::unique_ptr<File> file = WindowsFileFromHandle(handle, name);
    if (!LockBefore(handle, deadline, name)) return nullptr;
    // The run that held the lock may have replaced the file: then lock the one name leads to.
    if (StillNamedBy(handle, wideName)) return file;
  }
}

}  // namespace quillmoor
