// Replacing a file on Windows, and keeping its previous version. The new content is written
// beside its target under a temporary name and put in its place by ReplaceFileW, which keeps
// the target's attributes and security, or by MoveFileExW when there is no target yet. The
// backup is a second name of the previous file (a hard link, or a copy where the file system
// has none), given under a temporary name first and then moved onto the backup's name, so
// that every name holds a complete file at every moment.
#include <windows.h>

#include <initializer_list>
#include <optional>

#include "io/TemporaryNames.h"
#include "io/WideText.h"
#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

namespace {

constexpr DWORD kMoveInPlace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// name as a full path: ReplaceFileW under Wine fails on a name without its folder.
std::wstring FullPathOf(const std::wstring& name) {
  std::wstring full(::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return name;
  full.resize(length);
  return full;
}

// path with its file name spelt as on disk, where a file answers to it in another case: the
// replaced file keeps its name as the user and the game know it.
std::wstring AsSpeltOnDisk(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return path;
  ::FindClose(search);
  const std::size_t slash = path.find_last_of(L"\\/");
  return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + found.cFileName;
}

bool Exists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Gives the file existing a second name beside it, under a new temporary name: a hard link
// where the file system has them, else a copy. shownName is what an error gives.
std::wstring SecondNameOf(const std::wstring& existing, const std::string& shownName) {
  for (int attempt = 0;; ++attempt) {
    const std::wstring name = TemporaryNameBeside(existing);
    if (::CreateHardLinkW(name.c_str(), existing.c_str(), nullptr) ||
        ::CopyFileW(existing.c_str(), name.c_str(), TRUE)) {
      return name;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100) throw LastError(shownName);
  }
}

// Puts the file named from in the place of to, in one step: by ReplaceFileW, which keeps the
// attributes and security of to and can replace a file held open (as a locked wad is), else by
// MoveFileExW, which can where there is no target (any more) and where ReplaceFileW can't open
// from (a second name of a file held open). Gives the error number of a failure,
// ERROR_SUCCESS when done.
DWORD PutInPlaceOf(const std::wstring& from, const std::wstring& to) {
  if (::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
    return ERROR_SUCCESS;
  }
  const DWORD replaceError = ::GetLastError();
  if (::MoveFileExW(from.c_str(), to.c_str(), kMoveInPlace)) return ERROR_SUCCESS;
  return Exists(to) ? replaceError : ::GetLastError();
}

// Removes the file name, even when ReplaceFileW gave it the read-only attribute of the file
// it was to replace.
void Remove(const std::wstring& name) {
  ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(name.c_str());
}

// Puts the file named from in the place of to. When that fails, the names in dropped are
// removed first.
void MoveOnto(const std::wstring& from, const std::wstring& to, const std::string& shownName,
              std::initializer_list<std::wstring> dropped) {
  const DWORD error = PutInPlaceOf(from, to);
  if (error == ERROR_SUCCESS) return;
  for (const std::wstring& name : dropped) Remove(name);
  throw IoErrorFromWindowsError(error, shownName);
}

// Whether process pid has ended, or never ran.
bool ProcessIsGone(long pid) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD exitCode = 0;
  const bool ended = ::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
  ::CloseHandle(process);
  return ended;
}

// Removes the temporary files that processes no longer running left for target.
void RemoveLeftovers(const std::wstring& target) {
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  const std::string targetFileName = Utf8FromWide(target.substr(folder.size()));
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::optional<long> writer =
        TemporaryFileWriter(Utf8FromWide(found.cFileName), targetFileName);
    if (writer && *writer != static_cast<long>(::GetCurrentProcessId()) && ProcessIsGone(*writer)) {
      Remove(folder + found.cFileName);
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

class WindowsReplacement final : public FileReplacement {
 public:
  explicit WindowsReplacement(const std::string& target)
      : targetName_(target), target_(AsSpeltOnDisk(FullPathOf(FollowLinks(WideName(target))))) {
    RemoveLeftovers(target_);
    const HANDLE temporary = CreateTemporaryBeside(target_, temporary_, targetName_);
    content_ = WindowsFileFromHandle(temporary, Utf8FromWide(temporary_));
  }

  ~WindowsReplacement() override {
    if (!committed_ && !keepContent_) {
      content_.reset();
      Remove(temporary_);
    }
  }
  WindowsReplacement(const WindowsReplacement&) = delete;
  WindowsReplacement& operator=(const WindowsReplacement&) = delete;

  File& Content() override { return *content_; }

  void Commit() override {
    content_->Flush();
    content_->Close();
    const bool hadTarget = Exists(target_);
    const DWORD error = PutInPlaceOf(temporary_, target_);
    if (error == ERROR_SUCCESS) {
      committed_ = true;
      return;
    }
    // When the old version is gone already, the new one stays under its temporary name
    // rather than be lost too.
    keepContent_ = hadTarget && !Exists(target_);
    throw IoErrorFromWindowsError(error, targetName_);
  }

  void KeepPrevious() override {
    if (!Exists(target_)) return;
    const std::string backupName = Utf8FromWide(target_) + kBackupSuffix;
    const std::wstring previous = SecondNameOf(target_, backupName);
    MoveOnto(previous, target_ + kWideBackupSuffix, backupName, {previous});
    // Where the backup already was the target (a run killed after keeping it), the move
    // changed nothing and left the second name.
    Remove(previous);
  }

 private:
  std::string targetName_;
  std::wstring target_;
  std::wstring temporary_;
  std::unique_ptr<File> content_;
  bool committed_ = false;
  bool keepContent_ = false;
};

}  // namespace

std::unique_ptr<FileReplacement> BeginWindowsReplacement(const std::string& target) {
  return std::make_unique<WindowsReplacement>(target);
}

// Both files get a second name first; then each second name is moved onto the other's name.
// A run killed on the way leaves only temporary names beside the wad; when the last move
// fails, the version that name held stays under its temporary name rather than be lost.
void ExchangeWindowsWithBackup(const std::string& name) {
  const std::wstring file = AsSpeltOnDisk(FullPathOf(FollowLinks(WideName(name))));
  const std::wstring backup = file + kWideBackupSuffix;
  for (const std::wstring& needed : {file, backup}) {
    if (!Exists(needed)) throw LastError(Utf8FromWide(needed));
  }
  const std::wstring fileCopy = SecondNameOf(file, name);
  std::wstring backupCopy;
  try {
    backupCopy = SecondNameOf(backup, name);
  } catch (const IoError&) {
    Remove(fileCopy);
    throw;
  }
  MoveOnto(backupCopy, file, name, {backupCopy, fileCopy});
  MoveOnto(fileCopy, backup, name, {});
  // A move between two names of one file changes nothing and leaves its second name.
  Remove(backupCopy);
  Remove(fileCopy);
}

}  // namespace quillmoor
