// Replacing a file on Windows, and keeping its previous version. The new content is written
// beside its target under a temporary name and put in its place by ReplaceFileW, which keeps
// the target's attributes and security, or by MoveFileExW when there is no target yet. The
// backup is a second name of the previous file (a hard link, or a copy where the file system
// has none), given under a temporary name first and then moved onto the backup's name, so
// that every name holds a complete file at every moment.
#include <windows.h>

#include <initializer_list>

#include "io/WideText.h"
#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

namespace {

constexpr DWORD kMoveInPlace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

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

// Moves the file named from onto to, replacing what to named. When that fails, the names in
// dropped are removed first.
void MoveOnto(const std::wstring& from, const std::wstring& to, const std::string& shownName,
              std::initializer_list<std::wstring> dropped) {
  if (::MoveFileExW(from.c_str(), to.c_str(), kMoveInPlace)) return;
  const IoError error = LastError(shownName);
  for (const std::wstring& name : dropped) ::DeleteFileW(name.c_str());
  throw error;
}

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
        content_ = WindowsFileFromHandle(handle, Utf8FromWide(temporary_));
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
    if (::MoveFileExW(temporary_.c_str(), target_.c_str(), kMoveInPlace)) {
      committed_ = true;
      return;
    }
    // The old version is gone already, so the new one stays under its temporary name
    // rather than be lost too.
    keepContent_ = replaceError != ERROR_FILE_NOT_FOUND;
    throw LastError(targetName_);
  }

  void KeepPrevious() override {
    if (!Exists(target_)) return;
    const std::string backupName = Utf8FromWide(target_) + kBackupSuffix;
    const std::wstring previous = SecondNameOf(target_, backupName);
    MoveOnto(previous, target_ + kWideBackupSuffix, backupName, {previous});
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
  const std::wstring file = FollowLinks(WideName(name));
  const std::wstring backup = file + kWideBackupSuffix;
  for (const std::wstring& needed : {file, backup}) {
    if (!Exists(needed)) throw LastError(Utf8FromWide(needed));
  }
  const std::wstring fileCopy = SecondNameOf(file, name);
  std::wstring backupCopy;
  try {
    backupCopy = SecondNameOf(backup, name);
  } catch (const IoError&) {
    ::DeleteFileW(fileCopy.c_str());
    throw;
  }
  MoveOnto(backupCopy, file, name, {backupCopy, fileCopy});
  MoveOnto(fileCopy, backup, name, {});
}

}  // namespace quillmoor
