// Trees of new files on POSIX. Every folder below the tree's own is opened relative to its
// parent's descriptor without following links, so a link can't lead a write out of the tree.
// A file is written unnamed (O_TMPFILE) and, once complete, linked under a temporary name that
// is renamed onto its name, so the name holds the earlier file or the new one at every moment
// and a failure leaves no half-written file. Where the file system has no unnamed files (or no
// links), the file is written under the temporary name from the start. A kill can leave a
// temporary file; the next extraction into that folder removes it.
#include "io/PosixFolderTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "io/FilePathParts.h"
#include "io/IoError.h"
#include "io/PosixErrors.h"
#include "io/PosixFile.h"
#include "io/Processes.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

namespace {

// An open descriptor, closed when destroyed.
class Descriptor {
 public:
  explicit Descriptor(int descriptor = -1) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  Descriptor(Descriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
    return *this;
  }

  int Number() const { return descriptor_; }

 private:
  int descriptor_;
};

// The parts of a relative path: the folders on the way, then the file's name. A ".." part is
// refused, and so is a path that ends in a folder rather than a file name.
std::vector<std::string> PartsOf(const std::string& relativePath, const std::string& shownName) {
  FilePathParts split = SplitFilePath(relativePath, "/");
  switch (split.fault) {
    case FilePathParts::Fault::LeadsUp:
      throw IoErrorFromErrno(EINVAL, shownName);
    case FilePathParts::Fault::EndsInAFolder:
      throw IoErrorFromErrno(EISDIR, shownName);
    case FilePathParts::Fault::None:
      break;
  }
  return std::move(split.parts);
}

// Removes the temporary files that processes no longer running left in the open folder.
void RemoveLeftovers(int folder) {
  const int listed = ::dup(folder);
  if (listed < 0) return;
  DIR* entries = ::fdopendir(listed);
  if (entries == nullptr) {
    ::close(listed);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    const std::optional<long> writer = TemporaryFileWriter(entry->d_name);
    if (writer && !IsJournalFileName(entry->d_name) && *writer != CurrentProcessId() &&
        ProcessIsGone(*writer)) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

// The folder name below parent, made when missing; a link there is not followed (ELOOP).
Descriptor OpenOrMakeFolder(int parent, const std::string& name, const std::string& shownName) {
  constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
  int descriptor = ::openat(parent, name.c_str(), kFlags);
  if (descriptor < 0 && errno == ENOENT) {
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) {
      throw IoErrorFromErrno(errno, shownName);
    }
    descriptor = ::openat(parent, name.c_str(), kFlags);
  }
  if (descriptor < 0) throw IoErrorFromErrno(errno, shownName);
  return Descriptor(descriptor);
}

class PosixNewFile final : public NewFile {
 public:
  // Starts a file that will be called name in the open folder; shownName is the path its
  // errors give. Tries an unnamed file first when unnamedFiles is set, and clears it when the
  // file system has none.
  PosixNewFile(int folder, std::string name, std::string shownName, bool& unnamedFiles)
      : folder_(folder), name_(std::move(name)), shownName_(std::move(shownName)) {
    int descriptor = -1;
    if (unnamedFiles) {
      descriptor = ::openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
      if (descriptor < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        unnamedFiles = false;
      } else if (descriptor < 0) {
        throw IoErrorFromErrno(errno, shownName_);
      }
    }
    if (descriptor < 0) descriptor = CreateTemporary();
    descriptor_ = descriptor;
    content_ = PosixFileFromDescriptor(descriptor, shownName_);
  }

  ~PosixNewFile() override {
    content_.reset();
    if (!temporary_.empty() && !placed_) ::unlinkat(folder_, temporary_.c_str(), 0);
  }
  PosixNewFile(const PosixNewFile&) = delete;
  PosixNewFile& operator=(const PosixNewFile&) = delete;

  File& Content() override { return *content_; }

  void PutInPlace() override {
    if (temporary_.empty()) LinkUnderTemporaryName();
    if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
      throw IoErrorFromErrno(errno, shownName_);
    }
    placed_ = true;
    content_->Close();
  }

 private:
  // A new temporary file beside the destination, for a file system without unnamed files;
  // named as Quillmoor's temporary files are, so that a creation leaves out one a kill left.
  int CreateTemporary() {
    for (;;) {
      temporary_ = NewTemporaryFileName(name_, kNewVersionKind, CurrentProcessId());
      const int descriptor = ::openat(folder_, temporary_.c_str(),
                                      O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (descriptor >= 0) return descriptor;
      if (errno != EEXIST) {
        temporary_.clear();
        throw IoErrorFromErrno(errno, shownName_);
      }
    }
  }

  // Gives the unnamed file a temporary name beside the destination, from which a rename puts
  // it in place: linking can't replace an earlier file, and removing that first would leave
  // the name missing if the process were killed in between.
  void LinkUnderTemporaryName() {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    for (;;) {
      const std::string name = NewTemporaryFileName(name_, kNewVersionKind, CurrentProcessId());
      if (::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temporary_ = name;
        return;
      }
      if (errno != EEXIST) throw IoErrorFromErrno(errno, shownName_);
    }
  }

  int folder_;
  std::string name_;
  std::string shownName_;
  std::string temporary_;  // empty for an unnamed file
  int descriptor_ = -1;
  std::unique_ptr<File> content_;
  bool placed_ = false;
};

class PosixFolderTree final : public FolderTree {
 public:
  PosixFolderTree(Descriptor root, std::string rootName)
      : root_(std::move(root)),
        rootName_(std::move(rootName)),
        // Linking an unnamed file under a name goes through its /proc/self/fd entry.
        unnamedFiles_(::access("/proc/self/fd", X_OK) == 0) {}

  std::unique_ptr<NewFile> BeginFile(const std::string& relativePath) override {
    const std::string shownName = rootName_ + "/" + relativePath;
    std::vector<std::string> parts = PartsOf(relativePath, shownName);
    std::string name = std::move(parts.back());
    parts.pop_back();
    const int folder = OpenFolders(parts, shownName);
    return std::make_unique<PosixNewFile>(folder, std::move(name), shownName, unnamedFiles_);
  }

 private:
  struct OpenFolder {
    std::string name;
    Descriptor descriptor;
  };

  // The descriptor of the folder that folders name below the root. The folders of the last
  // file stay open: the entries of one folder mostly follow each other, and only the parts
  // that differ are opened (or made) again.
  int OpenFolders(const std::vector<std::string>& folders, const std::string& shownName) {
    std::size_t same = 0;
    while (same < open_.size() && same < folders.size() && open_[same].name == folders[same]) {
      ++same;
    }
    open_.resize(same);
    std::string path;
    for (std::size_t i = 0; i < folders.size(); ++i) {
      path += folders[i] + "/";
      if (i < same) continue;
      const int parent = i == 0 ? root_.Number() : open_[i - 1].descriptor.Number();
      open_.push_back({folders[i], OpenOrMakeFolder(parent, folders[i], shownName)});
    }
    const int folder = open_.empty() ? root_.Number() : open_.back().descriptor.Number();
    // Each folder is cleared of what killed runs left once, when a file first goes into it.
    if (cleared_.insert(path).second) RemoveLeftovers(folder);
    return folder;
  }

  Descriptor root_;
  std::string rootName_;
  bool unnamedFiles_;
  std::vector<OpenFolder> open_;
  std::set<std::string> cleared_;
};

// path without its last part: "a/b/" and "a/b" give "a"; "/a" gives "/"; "a" gives "".
std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FreeSpace PosixFreeSpaceFor(const std::string& path) {
  std::string at = path;
  struct statvfs info {};
  while (::statvfs(at.empty() ? "." : at.c_str(), &info) != 0) {
    if (errno != ENOENT || at.empty() || at == "/") throw IoErrorFromErrno(errno, path);
    at = ParentOf(at);
  }
  const auto blocks = static_cast<unsigned long long>(info.f_bavail);
  const auto blockSize = static_cast<unsigned long long>(info.f_frsize);
  constexpr auto kMost = static_cast<unsigned long long>(FreeSpace::kUnlimited);
  FreeSpace space;
  space.blockSize = static_cast<std::int64_t>(std::clamp(blockSize, 1ULL, 1ULL << 30));
  space.bytes = blockSize != 0 && blocks > kMost / blockSize
                    ? FreeSpace::kUnlimited
                    : static_cast<std::int64_t>(blocks * blockSize);
  // A file system that counts no inodes (FAT, some network ones) says it has none at all.
  if (info.f_files != 0) {
    space.entries =
        static_cast<std::int64_t>(std::min(static_cast<unsigned long long>(info.f_favail), kMost));
  }
  return space;
}

std::unique_ptr<FolderTree> OpenPosixFolderTree(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) throw IoErrorFromErrno(error ? error.value() : errno, folder);
  return std::make_unique<PosixFolderTree>(Descriptor(descriptor), folder);
}

}  // namespace quillmoor
