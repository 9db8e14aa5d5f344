#include "io/IoError.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "io/PosixErrors.h"

namespace quillmoor {
namespace {

TEST(IoErrorText, EachKindHasItsTextAndTheErrorBoxAddsAFullStopAfterLettersAndDigits) {
  struct Case {
    IoFailure kind;
    int errorNumber;
    const char* shown;
  };
  const Case cases[] = {
      {IoFailure::FileNotFound, ENOENT, "Fichier introuvable."},
      {IoFailure::InvalidName, ENOTDIR, "Nom de fichier incorrect."},
      {IoFailure::TooManyOpenFiles, EMFILE, "Trop de fichiers ouverts."},
      {IoFailure::AccessDenied, EACCES, "Accès au fichier refusé."},
      {IoFailure::ReadBeyondEnd, 0, "Lecture au-delà de la fin de fichier."},
      {IoFailure::DiskFull, ENOSPC, "Disque plein."},
      {IoFailure::Other, 5, "Erreur E/S 5."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorBoxText(IoError(c.kind, c.errorNumber, "x.wad").what()), c.shown);
  }
}

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatComeAfterIt) {
  EXPECT_EQ(ErrorBoxText("Type de données incorrect pour 'FileName'"),
            "Type de données incorrect pour 'FileName'");
  EXPECT_EQ(ErrorBoxText("done."), "done.");
  EXPECT_EQ(ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ErrorBoxText("a/"), "a/.");
  EXPECT_EQ(ErrorBoxText("refusé"), "refusé.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

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
