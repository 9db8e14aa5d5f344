// The file layer on Windows: the wide API throughout (CreateFileW, ReadFile/WriteFile at
// positions, GetFileSizeEx, FlushFileBuffers, ReplaceFileW), every GetLastError number kept.
// Names arrive as UTF-8 and go to Windows as UTF-16.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "io/CopyThroughMemory.h"
#include "io/FileSystem.h"
#include "io/WideText.h"
#include "io/WindowsErrors.h"

namespace quillmoor {

namespace {

// Files are shared for reading, writing and deleting, as they are on POSIX: a wad that is open
// can still be replaced by its new version.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The most one ReadFile or WriteFile call is asked to move.
constexpr std::size_t kLargestTransfer = 1u << 30;

IoError LastError(const std::string& name) {
  return IoErrorFromWindowsError(::GetLastError(), name);
}

std::wstring WideName(const std::string& name) {
  std::optional<std::wstring> wide = WideFromUtf8(name);
  if (!wide) throw IoErrorFromWindowsError(ERROR_INVALID_NAME, name);
  return std::move(*wide);
}

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

bool Exists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
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

// A name beside target that no file has: ".NAME.PROCESS-COUNT", as the POSIX layer's
// ".NAME.XXXXXX".
std::wstring TemporaryNameBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::size_t baseStart = slash == std::wstring::npos ? 0 : slash + 1;
  return target.substr(0, baseStart) + L"." + target.substr(baseStart) + L"." +
         std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
}

// The replacement is written beside its target and put in its place by ReplaceFileW, which
// keeps the target's attributes and security, or by MoveFileExW when there is no target yet.
// ReplaceFileW can keep the previous version under a backup name, and the content's handle
// can take LockFileEx: the means for keeping the previous wad and for holding a wad.
class WindowsReplacement final : public FileReplacement {
 public:
  explicit WindowsReplacement(const std::string& target)
      : targetName_(target), target_(FollowLinks(WideName(target))) {
    for (int attempt = 0; !content_; ++attempt) {
      temporary_ = TemporaryNameBeside(target_);
      const HANDLE handle =
          ::CreateFileW(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        content_ = std::make_unique<WindowsFile>(handle, Utf8FromWide(temporary_));
      } else if (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
        throw LastError(targetName_);
      }
    }
  }

  ~WindowsReplacement() override {
    if (!committed_ && !keepContent_) {
      content_.reset();
      ::DeleteFileW(temporary_.c_str());
    }
  }
  WindowsReplacement(const WindowsReplacement&) = delete;
  WindowsReplacement& operator=(const WindowsReplacement&) = delete;

  File& Content() override { return *content_; }

  void Commit() override {
    content_->Flush();
    content_->Close();
    if (::ReplaceFileW(target_.c_str(), temporary_.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      committed_ = true;
      return;
    }
    const DWORD replaceError = ::GetLastError();
    // The target is still there: it stays as it was, and the new content goes.
    if (Exists(target_)) throw IoErrorFromWindowsError(replaceError, targetName_);
    // There was no target, or ReplaceFileW moved it away before it failed: the content is
    // moved into its place.
    if (::MoveFileExW(temporary_.c_str(), target_.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      committed_ = true;
      return;
    }
    // The old version is gone already, so the new one stays under its temporary name
    // rather than be lost too.
    keepContent_ = replaceError != ERROR_FILE_NOT_FOUND;
    throw LastError(targetName_);
  }

 private:
  std::string targetName_;
  std::wstring target_;
  std::wstring temporary_;
  std::unique_ptr<WindowsFile> content_;
  bool committed_ = false;
  bool keepContent_ = false;
};

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
  std::unique_ptr<FileReplacement> BeginReplacement(const std::string& target) override {
    return std::make_unique<WindowsReplacement>(target);
  }
};

}  // namespace

FileSystem& NativeFileSystem() {
  static WindowsFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quillmoor
