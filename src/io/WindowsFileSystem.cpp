// The file layer on Windows: the wide API throughout (CreateFileW, ReadFile/WriteFile at
// positions, GetFileSizeEx, FlushFileBuffers), every GetLastError number kept. Names arrive as
// UTF-8 and go to Windows as UTF-16. The steps of a commit are in WindowsNames.cpp,
// the wad lock in WindowsLock.cpp, trees of new files in WindowsFolderTree.cpp.
#include <algorithm>
#include <utility>

#include "io/CopyThroughMemory.h"
#include "io/TemporaryNames.h"
#include "io/WideText.h"
#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

namespace {

// The most one ReadFile or WriteFile call is asked to move.
constexpr std::size_t kLargestTransfer = 1u << 30;

// Where a transfer at position starts, for a handle opened for synchronous transfers.
OVERLAPPED At(std::int64_t position) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
  at.OffsetHigh = static_cast<DWORD>(position >> 32);
  return at;
}

class WindowsFile final : public File {
 public:
  WindowsFile(HANDLE handle, std::string name) : handle_(handle), name_(std::move(name)) {}
  ~WindowsFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  WindowsFile(const WindowsFile&) = delete;
  WindowsFile& operator=(const WindowsFile&) = delete;

  void ReadAt(std::int32_t position, std::span<char> into) override {
    if (position < 0) throw IoError(IoFailure::ReadBeyondEnd, 0, name_);
    std::size_t done = 0;
    while (done < into.size()) {
      OVERLAPPED at = At(std::int64_t{position} + static_cast<std::int64_t>(done));
      const auto wanted = static_cast<DWORD>(std::min(into.size() - done, kLargestTransfer));
      DWORD got = 0;
      if (!::ReadFile(handle_, into.data() + done, wanted, &got, &at)) throw LastError(name_);
      if (got == 0) throw IoError(IoFailure::ReadBeyondEnd, 0, name_);
      done += got;
    }
  }

  void WriteAt(std::int32_t position, std::span<const char> from) override {
    if (position < 0) throw IoErrorFromWindowsError(ERROR_NEGATIVE_SEEK, name_);
    std::size_t done = 0;
    while (done < from.size()) {
      OVERLAPPED at = At(std::int64_t{position} + static_cast<std::int64_t>(done));
      const auto wanted = static_cast<DWORD>(std::min(from.size() - done, kLargestTransfer));
      DWORD put = 0;
      if (!::WriteFile(handle_, from.data() + done, wanted, &put, &at)) throw LastError(name_);
      if (put == 0) throw IoError(IoFailure::DiskFull, 0, name_);
      done += put;
    }
  }

  void CopyFrom(File& source, std::int32_t sourcePosition, std::int32_t position,
                std::int32_t size) override {
    CopyThroughMemory(source, sourcePosition, *this, position, size);
  }

  std::int64_t Length() override {
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(handle_, &length)) throw LastError(name_);
    return length.QuadPart;
  }

  void Flush() override {
    if (!::FlushFileBuffers(handle_)) throw LastError(name_);
  }

  void Close() override {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    if (handle != INVALID_HANDLE_VALUE && !::CloseHandle(handle)) throw LastError(name_);
  }

 private:
  HANDLE handle_;
  std::string name_;
};

// Opens name; a folder is refused by Windows itself with "access denied".
std::unique_ptr<WindowsFile> OpenFile(const std::string& name, DWORD access, DWORD disposition) {
  const HANDLE handle = ::CreateFileW(WideName(name).c_str(), access, kShareAll, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw LastError(name);
  return std::make_unique<WindowsFile>(handle, name);
}

class WindowsFileSystem final : public FileSystem {
 public:
  std::int64_t LengthOf(const std::string& name) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(WideName(name).c_str(), GetFileExInfoStandard, &data)) {
      throw LastError(name);
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      throw IoErrorFromWindowsError(ERROR_ACCESS_DENIED, name);
    }
    return (std::int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }
  std::unique_ptr<File> OpenForReading(const std::string& name) override {
    return OpenFile(name, GENERIC_READ, OPEN_EXISTING);
  }
  std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) override {
    return OpenFile(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  }
  std::unique_ptr<File> CreateOrTruncate(const std::string& name) override {
    return OpenFile(name, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  }
  // A new version gets the attributes of a new file; the commit's renames keep the folder's
  // inherited security.
  std::unique_ptr<File> CreateNew(const std::string& name, const std::string&) override {
    return CreateWindowsNew(name);
  }

  // ---- The steps of a commit ----
  bool Exists(const std::string& name) override { return WindowsExists(name); }
  void Rename(const std::string& from, const std::string& to) override { RenameWindows(from, to); }
  void Remove(const std::string& name) override { RemoveWindows(name); }
  bool LinkIfPossible(const std::string& existing, const std::string& newName) override {
    return LinkWindowsIfPossible(existing, newName);
  }
  void SyncFolder(const std::string&) override {}
  std::vector<std::string> NamesIn(const std::string& folder) override {
    return NamesInWindowsFolder(folder);
  }
  std::string FileNameLeadsTo(const std::string& name) override {
    return Utf8FromWide(FollowLinks(WideName(name)));
  }
  std::string FolderOf(const std::string& path) override {
    const std::string::size_type separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
  }

  // ---- Replacing a wad while no other run changes it ----
  std::unique_ptr<File> OpenExclusive(const std::string& name,
                                      std::chrono::milliseconds wait) override {
    return OpenWindowsExclusive(name, wait);
  }
  std::unique_ptr<NameLock> LockNewName(const std::string& name,
                                        std::chrono::milliseconds wait) override {
    return LockWindowsName(NameLockFile(name), wait);
  }
  void RemoveAbandonedLock(const std::string& lockFile) override {
    RemoveAbandonedWindowsLock(lockFile);
  }

  // ---- Writing a tree of new files, as extraction does ----
  FreeSpace FreeSpaceFor(const std::string& path) override { return WindowsFreeSpaceFor(path); }
  std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) override {
    return OpenWindowsFolderTree(folder);
  }
};

}  // namespace

IoError LastError(const std::string& name) {
  return IoErrorFromWindowsError(::GetLastError(), name);
}

std::wstring WideName(const std::string& name) {
  std::optional<std::wstring> wide = WideFromUtf8(name);
  if (!wide) throw IoErrorFromWindowsError(ERROR_INVALID_NAME, name);
  return std::move(*wide);
}

std::unique_ptr<File> WindowsFileFromHandle(HANDLE handle, std::string name) {
  return std::make_unique<WindowsFile>(handle, std::move(name));
}

// The file that writing to name really changes: where its symbolic link leads, if it is one.
std::wstring FollowLinks(const std::wstring& name) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return name;
  }
  const HANDLE handle = ::CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return name;
  std::wstring resolved(MAX_PATH, L'\0');
  DWORD length =
      ::GetFinalPathNameByHandleW(handle, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
  if (length >= resolved.size()) {
    resolved.resize(length);
    length = ::GetFinalPathNameByHandleW(handle, resolved.data(),
                                         static_cast<DWORD>(resolved.size()), 0);
  }
  ::CloseHandle(handle);
  if (length == 0 || length >= resolved.size()) return name;
  resolved.resize(length);
  return resolved;
}

std::wstring TemporaryNameBeside(const std::wstring& target) {
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::size_t baseStart = slash == std::wstring::npos ? 0 : slash + 1;
  const std::string name =
      NewTemporaryFileName(Utf8FromWide(target.substr(baseStart)), kNewVersionKind,
                           static_cast<long>(::GetCurrentProcessId()));
  return target.substr(0, baseStart) + *WideFromUtf8(name);
}

HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& name,
                             const std::string& shownName) {
  for (int attempt = 0;; ++attempt) {
    name = TemporaryNameBeside(target);
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    if (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100) throw LastError(shownName);
  }
}

FileSystem& NativeFileSystem() {
  static WindowsFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quillmoor
