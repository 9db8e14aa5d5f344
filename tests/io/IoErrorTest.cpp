#include "io/IoError.h"

#include <gtest/gtest.h>

#include <cerrno>

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

}  // namespace
}  // namespace quillmoor
