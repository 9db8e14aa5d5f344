// The file layer on POSIX: open/pread/pwrite/fstat/fsync, every error number kept.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <utility>

#include "io/CopyThroughMemory.h"
#include "io/FileSystem.h"
#include "io/PosixErrors.h"

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

  void ChangeMode(mode_t mode) {
    if (::fchmod(descriptor_, mode) != 0) throw IoErrorFromErrno(errno, name_);
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
  const int descriptor = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
  if (descriptor < 0) throw IoErrorFromErrno(errno, name);
  auto file = std::make_unique<PosixFile>(descriptor, name);
  // A folder opens for reading on POSIX but is no file to read, as on Windows. (Opening one
  // for writing already fails.)
  struct stat status {};
  if ((flags & O_ACCMODE) == O_RDONLY && ::fstat(descriptor, &status) == 0 &&
      S_ISDIR(status.st_mode)) {
    throw IoErrorFromErrno(EISDIR, name);
  }
  return file;
}

// The file that writing to name really changes: the end of its chain of symbolic links.
std::string FollowLinks(const std::string& name) {
  struct stat status {};
  if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
  char resolved[PATH_MAX];
  if (::realpath(name.c_str(), resolved) == nullptr) return name;
  return resolved;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The permission bits the replacement gets: those of the file it replaces, or those a newly
// created file would get.
mode_t ModeForReplacing(const std::string& target) {
  struct stat status {};
  if (::stat(target.c_str(), &status) == 0) return status.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

class PosixReplacement final : public FileReplacement {
 public:
  explicit PosixReplacement(const std::string& target) : target_(FollowLinks(target)) {
    const std::string::size_type slash = target_.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    temporary_ = folder + "." + base + ".XXXXXX";
    const int descriptor = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (descriptor < 0) throw IoErrorFromErrno(errno, target_);
    content_ = std::make_unique<PosixFile>(descriptor, temporary_);
  }

  ~PosixReplacement() override {
    if (!committed_) {
      content_.reset();
      ::unlink(temporary_.c_str());
    }
  }
  PosixReplacement(const PosixReplacement&) = delete;
  PosixReplacement& operator=(const PosixReplacement&) = delete;

  File& Content() override { return *content_; }

  void Commit() override {
    content_->ChangeMode(ModeForReplacing(target_));
    content_->Flush();
    content_->Close();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw IoErrorFromErrno(errno, target_);
    committed_ = true;
  }

 private:
  std::string target_;
  std::string temporary_;
  std::unique_ptr<PosixFile> content_;
  bool committed_ = false;
};

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
  std::unique_ptr<FileReplacement> BeginReplacement(const std::string& target) override {
    return std::make_unique<PosixReplacement>(target);
  }
};

}  // namespace

FileSystem& NativeFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace quillmoor
