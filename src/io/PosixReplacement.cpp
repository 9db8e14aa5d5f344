// Replacing a file on POSIX. The new content is an unnamed file (O_TMPFILE) in the target's
// folder; once complete and on disk it is linked under a temporary name and renamed onto the
// target, and the folder is synced so that the rename survives a power cut. A run killed at
// any moment leaves the target as it was or as it was meant to be, and no file behind, but in
// the instant between the link and the rename. Where the file system has no unnamed files, the
// content is written under the temporary name from the start. The next replacement of the same
// target removes such a leftover once the process that wrote it is gone.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "io/PosixErrors.h"
#include "io/PosixFile.h"
#include "io/PosixReplacement.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

std::string FileNameLeadsTo(const std::string& name) {
  struct stat status {};
  if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
  char resolved[PATH_MAX];
  if (::realpath(name.c_str(), resolved) == nullptr) return name;
  return resolved;
}

namespace {

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// An open folder, for calls relative to it.
class OpenFolder {
 public:
  explicit OpenFolder(const std::string& folder, const std::string& shownName)
      : descriptor_(
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (descriptor_ < 0) throw IoErrorFromErrno(errno, shownName);
  }
  ~OpenFolder() { ::close(descriptor_); }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_;
};

// The folder part of path with its trailing slash; empty for a bare file name.
std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ProcessIsGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

// Removes the temporary files that processes no longer running left for fileName in folder.
void RemoveLeftovers(const OpenFolder& folder, const std::string& fileName) {
  const int listed = ::dup(folder.Descriptor());
  if (listed < 0) return;
  DIR* entries = ::fdopendir(listed);
  if (entries == nullptr) {
    ::close(listed);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    const std::optional<long> writer = TemporaryFileWriter(entry->d_name, fileName);
    if (writer && *writer != ::getpid() && ProcessIsGone(*writer)) {
      ::unlinkat(folder.Descriptor(), entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

// Gives the new file the permission bits of the file it replaces, and its owner and group as
// far as this user may give them; a new target gets what a newly created file would.
void TakeOwnerAndMode(int descriptor, const std::string& target) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (::fchmod(descriptor, 0666 & ~CurrentUmask()) != 0) throw IoErrorFromErrno(errno, target);
    return;
  }
  if ((status.st_uid != ::geteuid() || status.st_gid != ::getegid()) &&
      ::fchown(descriptor, status.st_uid, status.st_gid) != 0 &&
      ::fchown(descriptor, static_cast<uid_t>(-1), status.st_gid) != 0) {
    // Neither owner nor group may be given: the file stays this user's, as a new one would.
  }
  // After the owner: changing it may clear the set-user-ID and set-group-ID bits.
  if (::fchmod(descriptor, status.st_mode & 07777) != 0) throw IoErrorFromErrno(errno, target);
}

class PosixReplacement final : public FileReplacement {
 public:
  explicit PosixReplacement(const std::string& target)
      : target_(FileNameLeadsTo(target)),
        folderText_(FolderOf(target_)),
        fileName_(target_.substr(folderText_.size())),
        folder_(folderText_, target_) {
    RemoveLeftovers(folder_, fileName_);
    int descriptor = ::openat(folder_.Descriptor(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    // Linking an unnamed file into a folder goes through /proc.
    if (descriptor >= 0 && ::access("/proc/self/fd", X_OK) != 0) {
      ::close(descriptor);
      descriptor = -1;
    }
    if (descriptor < 0) descriptor = CreateNamedTemporary();
    descriptor_ = descriptor;
    content_ = PosixFileFromDescriptor(descriptor, target_);
    try {
      TakeOwnerAndMode(descriptor_, target_);
    } catch (...) {
      RemoveTemporary();
      throw;
    }
  }

  ~PosixReplacement() override {
    if (!committed_) RemoveTemporary();
  }
  PosixReplacement(const PosixReplacement&) = delete;
  PosixReplacement& operator=(const PosixReplacement&) = delete;

  File& Content() override { return *content_; }

  void Commit() override {
    content_->Flush();
    if (temporaryName_.empty()) LinkUnderTemporaryName();
    content_->Close();
    if (::renameat(folder_.Descriptor(), temporaryName_.c_str(), folder_.Descriptor(),
                   fileName_.c_str()) != 0) {
      throw IoErrorFromErrno(errno, target_);
    }
    committed_ = true;
    if (::fsync(folder_.Descriptor()) != 0) throw IoErrorFromErrno(errno, target_);
  }

  // The target is linked under a temporary name first and that name renamed onto the backup,
  // since a link can't take the place of an older backup; a run killed in between leaves a
  // temporary name that the next replacement removes.
  void KeepPrevious() override {
    if (::faccessat(folder_.Descriptor(), fileName_.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0) {
      return;
    }
    const std::string linked = LinkTargetUnderTemporaryName();
    const std::string backup = fileName_ + kBackupSuffix;
    if (::renameat(folder_.Descriptor(), linked.c_str(), folder_.Descriptor(), backup.c_str()) !=
        0) {
      const int error = errno;
      ::unlinkat(folder_.Descriptor(), linked.c_str(), 0);
      throw IoErrorFromErrno(error, target_ + kBackupSuffix);
    }
    // Where the backup already was the target (a run killed after keeping it), the rename
    // changed nothing and left the temporary name.
    ::unlinkat(folder_.Descriptor(), linked.c_str(), 0);
  }

 private:
  void RemoveTemporary() {
    content_.reset();
    if (!temporaryName_.empty()) ::unlinkat(folder_.Descriptor(), temporaryName_.c_str(), 0);
  }

  std::string NewTemporaryName() const { return NewTemporaryFileName(fileName_, ::getpid()); }

  int CreateNamedTemporary() {
    for (;;) {
      const std::string name = NewTemporaryName();
      const int descriptor =
          ::openat(folder_.Descriptor(), name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (descriptor >= 0) {
        temporaryName_ = name;
        return descriptor;
      }
      if (errno != EEXIST) throw IoErrorFromErrno(errno, target_);
    }
  }

  std::string LinkTargetUnderTemporaryName() const {
    for (;;) {
      const std::string name = NewTemporaryName();
      if (::linkat(folder_.Descriptor(), fileName_.c_str(), folder_.Descriptor(), name.c_str(),
                   0) == 0) {
        return name;
      }
      if (errno != EEXIST) throw IoErrorFromErrno(errno, target_ + kBackupSuffix);
    }
  }

  void LinkUnderTemporaryName() {
    const std::string unnamed = "/proc/self/fd/" + std::to_string(descriptor_);
    for (;;) {
      const std::string name = NewTemporaryName();
      if (::linkat(AT_FDCWD, unnamed.c_str(), folder_.Descriptor(), name.c_str(),
                   AT_SYMLINK_FOLLOW) == 0) {
        temporaryName_ = name;
        return;
      }
      if (errno != EEXIST) throw IoErrorFromErrno(errno, target_);
    }
  }

  std::string target_;
  std::string folderText_;
  std::string fileName_;
  OpenFolder folder_;
  int descriptor_ = -1;
  // Empty while the content has no name.
  std::string temporaryName_;
  std::unique_ptr<File> content_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<FileReplacement> BeginPosixReplacement(const std::string& target) {
  return std::make_unique<PosixReplacement>(target);
}

// renameat2 with RENAME_EXCHANGE swaps the two names in one step. Where the file system can't,
// both files are linked under temporary names, and each is renamed onto the other's name: so
// each name holds a complete file at every moment, and a run killed on the way leaves only
// temporary names, which the next replacement removes.
void ExchangePosixWithBackup(const std::string& name) {
  const std::string file = FileNameLeadsTo(name);
  const std::string backup = file + kBackupSuffix;
  for (const std::string& needed : {file, backup}) {
    if (::access(needed.c_str(), F_OK) != 0) throw IoErrorFromErrno(errno, needed);
  }
  const std::string folderText = FolderOf(file);
  const OpenFolder folder(folderText, file);
  const std::string fileName = file.substr(folderText.size());
  const std::string backupName = fileName + kBackupSuffix;
  const int at = folder.Descriptor();
  if (::renameat2(at, fileName.c_str(), at, backupName.c_str(), RENAME_EXCHANGE) != 0) {
    if (errno != EINVAL && errno != ENOSYS) throw IoErrorFromErrno(errno, file);
    const std::string fileLink = NewTemporaryFileName(fileName, ::getpid());
    const std::string backupLink = NewTemporaryFileName(fileName, ::getpid());
    bool exchanged = false;
    int error = 0;
    if (::linkat(at, fileName.c_str(), at, fileLink.c_str(), 0) == 0 &&
        ::linkat(at, backupName.c_str(), at, backupLink.c_str(), 0) == 0 &&
        ::renameat(at, backupLink.c_str(), at, fileName.c_str()) == 0) {
      exchanged = ::renameat(at, fileLink.c_str(), at, backupName.c_str()) == 0;
      error = errno;
      // The wad's name holds the backup now, and fileLink is the one name left of the wad
      // itself: it goes back to its own name.
      if (!exchanged) ::renameat(at, fileLink.c_str(), at, fileName.c_str());
    } else {
      error = errno;
    }
    // A rename between two names of one file changes nothing and leaves its temporary name.
    ::unlinkat(at, fileLink.c_str(), 0);
    ::unlinkat(at, backupLink.c_str(), 0);
    if (!exchanged) throw IoErrorFromErrno(error, file);
  }
  if (::fsync(at) != 0) throw IoErrorFromErrno(errno, file);
}

}  // namespace quillmoor
