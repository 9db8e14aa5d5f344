// The lock a run holds on a wad from reading it to replacing it, on POSIX: flock on the wad
// file itself. The wad is replaced by a rename, so the lock on the old file ends with it; a run
// that waited for the lock therefore checks that the name still leads to the file it locked,
// and otherwise locks the new one.
//
// A wad that doesn't exist yet has no file to lock: a creation locks "NAME.quillmoor-lock"
// instead, made when missing, and removes it while it still holds the lock. A run that waited
// meanwhile then holds a lock on a file without a name, which it sees, and locks the name's
// new lock file. A lock file whose run was killed is no longer locked: the next run takes it,
// or removes it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "io/PosixErrors.h"
#include "io/PosixFile.h"
#include "io/PosixNames.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

namespace {

// Whether name still leads to the file open as descriptor.
bool StillNamedBy(int descriptor, const std::string& name) {
  struct stat open {};
  struct stat named {};
  return ::fstat(descriptor, &open) == 0 && ::stat(name.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Takes the exclusive lock on descriptor, trying until deadline; false when it is still held.
bool LockBefore(int descriptor, std::chrono::steady_clock::time_point deadline,
                const std::string& name) {
  for (;;) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) throw IoErrorFromErrno(errno, name);
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Whether the folder of name holds a commit's journal.
bool FolderHoldsJournal(const std::string& name) {
  const std::string::size_type slash = name.find_last_of('/');
  try {
    for (const std::string& entry :
         NamesInPosixFolder(slash == std::string::npos ? "" : name.substr(0, slash + 1))) {
      if (IsJournalFileName(entry)) return true;
    }
  } catch (const IoError&) {
    // No folder to look in: no journal either.
  }
  return false;
}

// Holds the lock on the lock file open as file; at its end removes the lock file, then closes it.
class PosixNameLock final : public NameLock {
 public:
  PosixNameLock(std::unique_ptr<File> file, std::string lockFile)
      : file_(std::move(file)), lockFile_(std::move(lockFile)) {}
  ~PosixNameLock() override { ::unlink(lockFile_.c_str()); }
  PosixNameLock(const PosixNameLock&) = delete;
  PosixNameLock& operator=(const PosixNameLock&) = delete;

 private:
  std::unique_ptr<File> file_;
  std::string lockFile_;
};

}  // namespace

std::unique_ptr<NameLock> LockPosixName(const std::string& lockFile,
                                        std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int descriptor = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) throw IoErrorFromErrno(errno, lockFile);
    std::unique_ptr<File> file = PosixFileFromDescriptor(descriptor, lockFile);
    if (!LockBefore(descriptor, deadline, lockFile)) return nullptr;
    // The run that held the lock removed its lock file: then lock the one the name has now.
    if (StillNamedBy(descriptor, lockFile)) {
      return std::make_unique<PosixNameLock>(std::move(file), lockFile);
    }
  }
}

void RemoveAbandonedPosixLock(const std::string& lockFile) {
  const int descriptor = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
  if (descriptor < 0) return;
  const std::unique_ptr<File> file = PosixFileFromDescriptor(descriptor, lockFile);
  if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillNamedBy(descriptor, lockFile)) {
    ::unlink(lockFile.c_str());
  }
}

std::unique_ptr<File> OpenPosixExclusive(const std::string& name, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int descriptor = ::open(name.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    // A commit of another run renames the wad away for a moment: wait while its journal is there.
    if (descriptor < 0 && errno == ENOENT && FolderHoldsJournal(name) &&
        std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (descriptor < 0) throw IoErrorFromErrno(errno, name);
    std::unique_ptr<File> file = PosixFileFromDescriptor(descriptor, name);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) throw IoErrorFromErrno(errno, name);
    if (!S_ISREG(status.st_mode)) throw IoErrorFromErrno(EINVAL, name);
    if (!LockBefore(descriptor, deadline, name)) return nullptr;
    // The run that held the lock may have replaced the file: then lock the one name leads to.
    if (StillNamedBy(descriptor, name)) return file;
  }
}

}  // namespace quillmoor
