// Names on POSIX: the new file that becomes a new version, and the plain renames, removals and
// folder syncs that a commit is made of. A rename is made to reach the disk by the commit's
// sync of the folder, as POSIX knows no rename that writes through.
#include "io/PosixNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
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

// The names of the extended attributes of file, NUL after each; empty where the file system
// has none.
std::string ExtendedAttributeNames(const std::string& file) {
  for (;;) {
    const ssize_t size = ::listxattr(file.c_str(), nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == ENOSYS)) return {};
    if (size < 0) throw IoErrorFromErrno(errno, file);
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t listed = ::listxattr(file.c_str(), names.data(), names.size());
    if (listed >= 0) return names.substr(0, static_cast<std::size_t>(listed));
    if (errno != ERANGE) throw IoErrorFromErrno(errno, file);  // ERANGE: it grew meanwhile
  }
}

std::string ExtendedAttributeValue(const std::string& file, const char* attribute) {
  for (;;) {
    const ssize_t size = ::getxattr(file.c_str(), attribute, nullptr, 0);
    if (size < 0) throw IoErrorFromErrno(errno, file);
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t read = ::getxattr(file.c_str(), attribute, value.data(), value.size());
    if (read >= 0) return value.substr(0, static_cast<std::size_t>(read));
    if (errno != ERANGE) throw IoErrorFromErrno(errno, file);
  }
}

// Gives the new file the extended attributes of likeFile, its access control list among them
// ("system.posix_acl_access"), so that a replaced wad keeps who may read and write it. One
// that can't be given is a failure, not a loss made in silence.
void TakeExtendedAttributes(int descriptor, const std::string& likeFile, const std::string& name) {
  struct stat status {};
  if (likeFile.empty() || ::stat(likeFile.c_str(), &status) != 0) return;
  const std::string names = ExtendedAttributeNames(likeFile);
  for (std::size_t at = 0; at < names.size();) {
    const std::size_t end = std::min(names.find('\0', at), names.size());
    const std::string attribute = names.substr(at, end - at);
    at = end + 1;
    if (attribute.empty()) continue;
    const std::string value = ExtendedAttributeValue(likeFile, attribute.c_str());
    if (::fsetxattr(descriptor, attribute.c_str(), value.data(), value.size(), 0) != 0) {
      throw IoErrorFromErrno(errno, name);
    }
  }
}

}  // namespace

std::unique_ptr<File> CreatePosixNew(const std::string& name, const std::string& likeFile) {
  const int descriptor =
      ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) throw IoErrorFromErrno(errno, name);
  std::unique_ptr<File> file = PosixFileFromDescriptor(descriptor, name);
  try {
    TakeOwnerAndMode(descriptor, likeFile, name);
    TakeExtendedAttributes(descriptor, likeFile, name);
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
