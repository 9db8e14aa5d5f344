// The file layer on POSIX: open/pread/pwrite/fstat/fsync, every error number kept.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "io/CopyThroughMemory.h"
#include "io/FileSystem.h"
#include "io/PosixErrors.h"
#include "io/PosixFile.h"
#include "io/PosixFolderTree.h"
#include "io/PosixNames.h"

namespace quillmoor {

namespace {

class PosixFile final : public File {
 public:
  PosixFile(int descriptor, std::string name) : descriptor_(descriptor), name_(std::move(name)) {}
  ~PosixFile() override {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  void ReadAt(std::int32_t position, std::span<char> into) override {
    if (position < 0) throw IoError(IoFailure::ReadBeyondEnd, 0, name_);
    std::size_t done = 0;
    while (done < into.size()) {
      const ssize_t got = ::pread(descriptor_, into.data() + done, into.size() - done,
                                  static_cast<off_t>(position) + static_cast<off_t>(done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw IoErrorFromErrno(errno, name_);
      if (got == 0) throw IoError(IoFailure::ReadBeyondEnd, 0, name_);
      done += static_cast<std::size_t>(got);
    }
  }

  void WriteAt(std::int32_t position, std::span<const char> from) override {
    if (position < 0) throw IoErrorFromErrno(EINVAL, name_);
    std::size_t done = 0;
    while (done < from.size()) {
      const ssize_t put = ::pwrite(descriptor_, from.data() + done, from.size() - done,
                                   static_cast<off_t>(position) + static_cast<off_t>(done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) throw IoErrorFromErrno(errno, name_);
      if (put == 0) throw IoError(IoFailure::DiskFull, 0, name_);
      done += static_cast<std::size_t>(put);
    }
  }

  void CopyFrom(File& source, std::int32_t sourcePosition, std::int32_t position,
                std::int32_t size) override {
    auto* posixSource = dynamic_cast<PosixFile*>(&source);
    const std::int32_t done =
        posixSource == nullptr ? 0 : CopyInKernel(*posixSource, sourcePosition, position, size);
    CopyThroughMemory(source, sourcePosition + done, *this, position + done, size - done);
  }

  std::int64_t Length() override {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) throw IoErrorFromErrno(errno, name_);
    return status.st_size;
  }

  void Flush() override {
    if (::fsync(descriptor_) != 0) throw IoErrorFromErrno(errno, name_);
  }

  void Close() override {
    const int descriptor = std::exchange(descriptor_, -1);
    if (descriptor >= 0 && ::close(descriptor) != 0) throw IoErrorFromErrno(errno, name_);
  }

 private:
  // Copies with copy_file_range as far as the kernel does it; gives how much was copied, which
  // falls short where the kernel can't copy between these files.
  std::int32_t CopyInKernel(const PosixFile& source, std::int32_t sourcePosition,
                            std::int32_t position, std::int32_t size) {
    off_t from = sourcePosition;
    off_t to = position;
    std::int32_t done = 0;
    while (done < size) {
      const ssize_t copied = ::copy_file_range(source.descriptor_, &from, descriptor_, &to,
                                               static_cast<std::size_t>(size - done), 0);
      if (copied < 0 && errno == EINTR) continue;
      if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                         errno == EOPNOTSUPP || errno == EBADF)) {
        break;
      }
      if (copied < 0) throw IoErrorFromErrno(errno, name_);
      if (copied == 0) throw IoError(IoFailure::ReadBeyondEnd, 0, source.name_);
      done += static_cast<std::int32_t>(copied);
    }
    return done;
  }

  int descriptor_;
  std::string name_;
};

std::unique_ptr<PosixFile> OpenFile(const std::string& name, int flags) {
  // Without waiting: opening a pipe for reading waits for a writer, maybe forever. A regular
  // file reads and writes the same either way.
  const int descriptor = ::open(name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (descriptor < 0) throw IoErrorFromErrno(errno, name);
  auto file = std::make_unique<PosixFile>(descriptor, name);
  // A folder opens for reading on POSIX but is no file to read, as on Windows; a pipe, a
  // device or a socket is none either.
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) throw IoErrorFromErrno(errno, name);
  if (S_ISDIR(status.st_mode)) throw IoErrorFromErrno(EISDIR, name);
  if (!S_ISREG(status.st_mode)) throw IoErrorFromErrno(EINVAL, name);
  return file;
}

class PosixFileSystem final : public FileSystem {
 public:
  std::int64_t LengthOf(const std::string& name) override {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) throw IoErrorFromErrno(errno, name);
    if (S_ISDIR(status.st_mode)) throw IoErrorFromErrno(EISDIR, name);
    return status.st_size;
  }
  std::unique_ptr<File> OpenForReading(const std::string& name) override {
    return OpenFile(name, O_RDONLY);
  }
  std::unique_ptr<File> OpenForReadingAndWriting(const std::string& name) override {
    return OpenFile(name, O_RDWR);
  }
  std::unique_ptr<File> CreateOrTruncate(const std::string& name) override {
    return OpenFile(name, O_RDWR | O_CREAT | O_TRUNC);
  }
  std::unique_ptr<File> CreateNew(const std::string& name, const std::string& likeFile) override {
    return CreatePosixNew(name, likeFile);
  }

  // ---- The steps of a commit ----
  bool Exists(const std::string& name) override { return PosixExists(name); }
  void Rename(const std::string& from, const std::string& to) override { RenamePosix(from, to); }
  void Remove(const std::string& name) override { RemovePosix(name); }
  bool LinkIfPossible(const std::string& existing, const std::string& newName) override {
    return LinkPosixIfPossible(existing, newName);
  }
  void SyncFolder(const std::string& folder) override { SyncPosixFolder(folder); }
  std::vector<std::string> NamesIn(const std::string& folder) override {
    return NamesInPosixFolder(folder);
  }
  std::string FileNameLeadsTo(const std::string& name) override {
    return quillmoor::FileNameLeadsTo(name);
  }
  std::string FolderOf(const std::string& path) override {
    const std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }

  // ---- Replacing a wad while no other run changes it ----
  std::unique_ptr<File> OpenExclusive(const std::string& name,
                                      std::chrono::milliseconds wait) override {
    return OpenPosixExclusive(name, wait);
  }
  std::unique_ptr<NameLock> LockNewName(const std::string& name,
                                        std::chrono::milliseconds wait) override {
    return LockPosixName(NameLockFile(name), wait);
  }
  void RemoveAbandonedLock(const std::string& lockFile) override {
    RemoveAbandonedPosixLock(lockFile);
  }

  // ---- Writing a tree of new files, as extraction does ----
  FreeSpace FreeSpaceFor(const std::string& path) override { return PosixFreeSpaceFor(path); }
  std::unique_ptr<FolderTree> OpenFolderTree(const std::string& folder) override {
    return OpenPosixFolderTree(folder);
  }
};

}  // namespace

std::unique_ptr<File> PosixFileFromDescriptor(int descriptor, std::string name) {
  return std::make_unique<PosixFile>(descriptor, std::move(name));
}

FileSystem& NativeFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quillmoor
