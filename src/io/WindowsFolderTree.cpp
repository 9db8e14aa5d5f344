// Trees of new files on Windows. Every folder on the way to a file is opened without following
// a reparse point (symbolic link or junction), refused when it is one, and held open without
// sharing deletion, so that it can be neither renamed nor removed, nor replaced by a link,
// while files are written below it. A file is written beside its destination under a
// temporary name and moved onto its name when complete, which replaces whatever had that name
// rather than writing through it.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "io/FilePathParts.h"
#include "io/WideText.h"
#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

namespace {

// Folders are shared for reading and writing, not for deleting: held open, they keep their
// names.
constexpr DWORD kShareAllButDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;

// An open folder, closed when destroyed, with the path it was opened by.
class OpenFolder {
 public:
  OpenFolder(HANDLE handle, std::wstring path) : handle_(handle), path_(std::move(path)) {}
  ~OpenFolder() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  OpenFolder(OpenFolder&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)),
        path_(std::move(other.path_)) {}
  OpenFolder& operator=(OpenFolder&& other) noexcept {
    std::swap(handle_, other.handle_);
    std::swap(path_, other.path_);
    return *this;
  }

  const std::wstring& Path() const { return path_; }

 private:
  HANDLE handle_;
  std::wstring path_;
};

// The parts of a relative path: the folders on the way, then the file's name. A ".." part is
// refused, and so is a path that ends in a folder rather than a file name.
std::vector<std::string> PartsOf(const std::string& relativePath, const std::string& shownName) {
  FilePathParts split = SplitFilePath(relativePath, "\\/");
  switch (split.fault) {
    case FilePathParts::Fault::LeadsUp:
      throw IoErrorFromWindowsError(ERROR_INVALID_NAME, shownName);
    case FilePathParts::Fault::EndsInAFolder:
      throw IoErrorFromWindowsError(ERROR_ACCESS_DENIED, shownName);
    case FilePathParts::Fault::None:
      break;
  }
  return std::move(split.parts);
}

// Opens the folder at path itself, a reparse point included, held so that it keeps its name.
// A reparse point is refused when followLinks is false; a file is InvalidName.
OpenFolder OpenHeldFolder(const std::wstring& path, bool followLinks,
                          const std::string& shownName) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  const HANDLE handle = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAllButDelete,
                                      nullptr, OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw LastError(shownName);
  OpenFolder folder(handle, path);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) throw LastError(shownName);
  if (!followLinks && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    throw IoErrorFromWindowsError(ERROR_CANT_RESOLVE_FILENAME, shownName);
  }
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw IoErrorFromWindowsError(ERROR_DIRECTORY, shownName);
  }
  return folder;
}

// The folder name below parent, made when missing; a reparse point there is refused.
OpenFolder OpenOrMakeFolder(const OpenFolder& parent, const std::string& name,
                            const std::string& shownName) {
  const std::wstring path = parent.Path() + L"\\" + WideName(name);
  if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    throw LastError(shownName);
  }
  return OpenHeldFolder(path, false, shownName);
}

class WindowsNewFile final : public NewFile {
 public:
  // Starts a file that will be destination; shownName is the path its errors give.
  WindowsNewFile(std::wstring destination, std::string shownName)
      : destination_(std::move(destination)), shownName_(std::move(shownName)) {
    content_ = WindowsFileFromHandle(CreateTemporaryBeside(destination_, temporary_, shownName_),
                                     shownName_);
  }

  ~WindowsNewFile() override {
    if (placed_) return;
    content_.reset();
    ::DeleteFileW(temporary_.c_str());
  }
  WindowsNewFile(const WindowsNewFile&) = delete;
  WindowsNewFile& operator=(const WindowsNewFile&) = delete;

  File& Content() override { return *content_; }

  void PutInPlace() override {
    content_->Close();
    if (!::MoveFileExW(temporary_.c_str(), destination_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      throw LastError(shownName_);
    }
    placed_ = true;
  }

 private:
  std::wstring destination_;
  std::string shownName_;
  std::wstring temporary_;
  std::unique_ptr<File> content_;
  bool placed_ = false;
};

class WindowsFolderTree final : public FolderTree {
 public:
  WindowsFolderTree(OpenFolder root, std::string rootName)
      : root_(std::move(root)), rootName_(std::move(rootName)) {}

  std::unique_ptr<NewFile> BeginFile(const std::string& relativePath) override {
    const std::string shownName = rootName_ + "\\" + relativePath;
    std::vector<std::string> parts = PartsOf(relativePath, shownName);
    const std::wstring name = WideName(parts.back());
    parts.pop_back();
    const OpenFolder& folder = OpenFolders(parts, shownName);
    return std::make_unique<WindowsNewFile>(folder.Path() + L"\\" + name, shownName);
  }

 private:
  struct NamedFolder {
    std::string name;
    OpenFolder folder;
  };

  // The folder that folders name below the root, held open with those on the way. The folders
  // of the last file stay open: the entries of one folder mostly follow each other, and only
  // the parts that differ are opened (or made) again.
  const OpenFolder& OpenFolders(const std::vector<std::string>& folders,
                                const std::string& shownName) {
    std::size_t same = 0;
    while (same < open_.size() && same < folders.size() && open_[same].name == folders[same]) {
      ++same;
    }
    open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(same), open_.end());
    for (std::size_t i = same; i < folders.size(); ++i) {
      const OpenFolder& parent = i == 0 ? root_ : open_[i - 1].folder;
      open_.push_back({folders[i], OpenOrMakeFolder(parent, folders[i], shownName)});
    }
    return open_.empty() ? root_ : open_.back().folder;
  }

  OpenFolder root_;
  std::string rootName_;
  std::vector<NamedFolder> open_;
};

// path without its last part: "a\b\" and "a\b" give "a"; "C:\a" gives "C:\"; "a" gives "".
std::wstring ParentOf(std::wstring path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L"";
  return path.substr(0, slash + (slash == 0 || path[slash - 1] == L':' ? 1 : 0));
}

}  // namespace

FreeSpace WindowsFreeSpaceFor(const std::string& path) {
  std::wstring at = WideName(path);
  for (;;) {
    const DWORD attributes = ::GetFileAttributesW(at.empty() ? L"." : at.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
    const std::wstring parent = ParentOf(at);
    if (at.empty() || parent == at) throw LastError(path);
    at = parent;
  }
  ULARGE_INTEGER freeToUser{};
  if (!::GetDiskFreeSpaceExW(at.empty() ? L"." : at.c_str(), &freeToUser, nullptr, nullptr)) {
    throw LastError(path);
  }
  constexpr auto kMost = static_cast<ULONGLONG>(FreeSpace::kUnlimited);
  FreeSpace space;
  space.bytes = static_cast<std::int64_t>(std::min(freeToUser.QuadPart, kMost));
  // Files take whole clusters: 4 KiB on most NTFS volumes, up to 32 KiB and more on FAT.
  wchar_t volume[MAX_PATH + 1] = {};
  DWORD sectorsPerCluster = 0;
  DWORD bytesPerSector = 0;
  DWORD freeClusters = 0;
  DWORD clusters = 0;
  if (::GetVolumePathNameW(at.empty() ? L"." : at.c_str(), volume, MAX_PATH) &&
      ::GetDiskFreeSpaceW(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    space.blockSize = std::max<std::int64_t>(1, static_cast<std::int64_t>(sectorsPerCluster) *
                                                    static_cast<std::int64_t>(bytesPerSector));
  }
  return space;
}

std::unique_ptr<FolderTree> OpenWindowsFolderTree(const std::string& folder) {
  const std::wstring path = WideName(folder);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path), ignored);
  return std::make_unique<WindowsFolderTree>(OpenHeldFolder(path, true, folder), folder);
}

}  // namespace quillmoor
