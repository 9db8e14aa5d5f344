#include "io/PosixErrors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace quillmoor {
namespace {

TEST(IoFailureFromErrno, MapsEachErrorNumberToTheKindTheUserIsShown) {
  struct Case {
    int errorNumber;
    bool parentExists;
    IoFailure kind;
  };
  const Case cases[] = {
      {ENOENT, true, IoFailure::FileNotFound},
      {ENOENT, false, IoFailure::InvalidName},
      {ENOTDIR, true, IoFailure::InvalidName},
      {ENAMETOOLONG, true, IoFailure::InvalidName},
      {EINVAL, true, IoFailure::InvalidName},
      {EMFILE, true, IoFailure::TooManyOpenFiles},
      {ENFILE, true, IoFailure::TooManyOpenFiles},
      {EACCES, true, IoFailure::AccessDenied},
      {EPERM, true, IoFailure::AccessDenied},
      {EROFS, true, IoFailure::AccessDenied},
      {EISDIR, true, IoFailure::AccessDenied},
      {ENOSPC, true, IoFailure::DiskFull},
      {EDQUOT, true, IoFailure::DiskFull},
      {EFBIG, true, IoFailure::DiskFull},
      {EIO, true, IoFailure::Other},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IoFailureFromErrno(c.errorNumber, c.parentExists), c.kind) << c.errorNumber;
  }
  EXPECT_STREQ(IoErrorFromErrno(EIO, "x").what(), "Erreur E/S 5");
}

}  // namespace
}  // namespace quillmoor
