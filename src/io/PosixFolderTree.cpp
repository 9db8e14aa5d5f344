// Trees of new files on POSIX. Every folder below the tree's own is opened relative to its
// parent's descriptor without following links, so a link can't lead a write out of the tree.
// A file is written unnamed (O_TMPFILE) and linked under its name only when complete, so a
// failure or a kill leaves no half-written file and no temporary one; where the file system
// has no unnamed files, a hidden temporary file beside the destination is renamed instead.
#include "io/PosixFolderTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "io/FilePathParts.h"
#include "io/IoError.h"
#include "io/PosixErrors.h"
#include "io/PosixFile.h"
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
    if (temporary_.empty()) {
      LinkUnder(name_);
    } else if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
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
      temporary_ = NewTemporaryFileName(name_, ::getpid());
      const int descriptor = ::openat(folder_, temporary_.c_str(),
                                      O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (descriptor >= 0) return descriptor;
      if (errno != EEXIST) {
        temporary_.clear();
        throw IoErrorFromErrno(errno, shownName_);
      }
    }
  }

  // Links the unnamed file under name. An existing name is removed first: linking can't
  // replace, and the removal only drops that name (a hard link elsewhere keeps its content,
  // a symbolic link goes, not what it leads to). A kill between the two leaves the name
  // missing, never naming a half-written file, and no temporary file.
  void LinkUnder(const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    if (Link(self, name) == 0) return;
    if (errno == EEXIST && (::unlinkat(folder_, name.c_str(), 0) == 0 || errno == ENOENT) &&
        Link(self, name) == 0) {
      return;
    }
    throw IoErrorFromErrno(errno, shownName_);
  }

  int Link(const std::string& self, const std::string& name) const {
    return ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW);
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
    for (std::size_t i = same; i < folders.size(); ++i) {
      const int parent = i == 0 ? root_.Number() : open_[i - 1].descriptor.Number();
      open_.push_back({folders[i], OpenOrMakeFolder(parent, folders[i], shownName)});
    }
    return open_.empty() ? root_.Number() : open_.back().descriptor.Number();
  }

  Descriptor root_;
  std::string rootName_;
  bool unnamedFiles_;
  std::vector<OpenFolder> open_;
};

// path without its last part: "a/b/" and "a/b" give "a"; "/a" gives "/"; "a" gives "".
std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::int64_t PosixFreeSpaceFor(const std::string& path) {
  std::string at = path;
  struct statvfs info {};
  while (::statvfs(at.empty() ? "." : at.c_str(), &info) != 0) {
    if (errno != ENOENT || at.empty() || at == "/") throw IoErrorFromErrno(errno, path);
    at = ParentOf(at);
  }
  const auto blocks = static_cast<unsigned long long>(info.f_bavail);
  const auto blockSize = static_cast<unsigned long long>(info.f_frsize);
  constexpr auto kMost = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
  if (blockSize != 0 && blocks > kMost / blockSize) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(blocks * blockSize);
}

std::unique_ptr<FolderTree> OpenPosixFolderTree(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) throw IoErrorFromErrno(error ? error.value() : errno, folder);
  return std::make_unique<PosixFolderTree>(Descriptor(descriptor), folder);
}

}  // namespace quillmoor
