// Names on POSIX: the new file that becomes a new version, and the plain renames, removals and
// folder syncs that a commit is made of. A rename is made to reach the disk by the commit's
// sync of the folder, as POSIX knows no rename that writes through.
#include "io/PosixNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "io/PosixErrors.h"
#include "io/PosixFile.h"

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

// Gives the new file the permission bits of likeFile, and its owner and group as far as this
// user may give them; without likeFile, what a newly created file would get.
void TakeOwnerAndMode(int descriptor, const std::string& likeFile, const std::string& name) {
  struct stat status {};
  if (likeFile.empty() || ::stat(likeFile.c_str(), &status) != 0) {
    if (::fchmod(descriptor, 0666 & ~CurrentUmask()) != 0) throw IoErrorFromErrno(errno, name);
    return;
  }
  if ((status.st_uid != ::geteuid() || status.st_gid != ::getegid()) &&
      ::fchown(descriptor, status.st_uid, status.st_gid) != 0 &&
      ::fchown(descriptor, static_cast<uid_t>(-1), status.st_gid) != 0) {
    // Neither owner nor group may be given: the file stays this user's, as a new one would.
  }
  // After the owner: changing it may clear the set-user-ID and set-group-ID bits.
  if (::fchmod(descriptor, status.st_mode & 07777) != 0) throw IoErrorFromErrno(errno, name);
}

}  // namespace

std::unique_ptr<File> CreatePosixNew(const std::string& name, const std::string& likeFile) {
  const int descriptor =
      ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) throw IoErrorFromErrno(errno, name);
  std::unique_ptr<File> file = PosixFileFromDescriptor(descriptor, name);
  try {
    TakeOwnerAndMode(descriptor, likeFile, name);
  } catch (...) {
    file.reset();
    ::unlink(name.c_str());
    throw;
  }
  return file;
}

bool PosixExists(const std::string& name) {
  struct stat status {};
  return ::lstat(name.c_str(), &status) == 0;
}

void RenamePosix(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw IoErrorFromErrno(errno, to);
}

void RemovePosix(const std::string& name) {
  if (::unlink(name.c_str()) != 0 && errno != ENOENT) throw IoErrorFromErrno(errno, name);
}

bool LinkPosixIfPossible(const std::string& existing, const std::string& newName) {
  if (::link(existing.c_str(), newName.c_str()) == 0) return true;
  // What file systems without hard links, and a file with all the links it may have, answer.
  if (errno == EPERM || errno == EXDEV || errno == ENOTSUP || errno == EOPNOTSUPP ||
      errno == EMLINK || errno == ENOSYS) {
    return false;
  }
  throw IoErrorFromErrno(errno, newName);
}

void SyncPosixFolder(const std::string& folder) {
  const std::string name = folder.empty() ? "." : folder;
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) throw IoErrorFromErrno(errno, name);
  const int synced = ::fsync(descriptor);
  const int error = errno;
  ::close(descriptor);
  // Some file systems can't sync a folder and say so; their renames are as safe as they get.
  if (synced != 0 && error != EINVAL && error != EROFS) throw IoErrorFromErrno(error, name);
}

std::vector<std::string> NamesInPosixFolder(const std::string& folder) {
  const std::string name = folder.empty() ? "." : folder;
  DIR* entries = ::opendir(name.c_str());
  if (entries == nullptr) throw IoErrorFromErrno(errno, name);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(entries)) {
    const std::string entryName = entry->d_name;
    if (entryName != "." && entryName != "..") names.push_back(entryName);
  }
  ::closedir(entries);
  return names;
}

}  // namespace quillmoor
