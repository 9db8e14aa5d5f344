#include "io/WindowsErrors.h"

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

TEST(IoFailureFromWindowsError, MapsEachErrorNumberToTheTextTheUserIsShown) {
  struct Case {
    std::uint32_t errorNumber;
    const char* text;
  };
  const Case cases[] = {
      {2, "Fichier introuvable"},                    // file not found
      {3, "Nom de fichier incorrect"},               // path not found
      {123, "Nom de fichier incorrect"},             // invalid name
      {161, "Nom de fichier incorrect"},             // bad path name
      {206, "Nom de fichier incorrect"},             // name too long
      {267, "Nom de fichier incorrect"},             // not a folder
      {4, "Trop de fichiers ouverts"},               // too many open files
      {5, "Accès au fichier refusé"},                // access denied, a folder opened as a file
      {19, "Accès au fichier refusé"},               // write-protected
      {32, "Accès au fichier refusé"},               // sharing violation
      {33, "Accès au fichier refusé"},               // lock violation
      {38, "Lecture au-delà de la fin de fichier"},  // read past the end
      {39, "Disque plein"},                          // handle disk full
      {112, "Disque plein"},                         // disk full
      {1, "Erreur E/S 1"},
      {87, "Erreur E/S 87"},
      {1392, "Erreur E/S 1392"},
  };
  for (const Case& c : cases) {
    const IoError error = IoErrorFromWindowsError(c.errorNumber, "f1.wad");
    EXPECT_STREQ(error.what(), c.text) << c.errorNumber;
    EXPECT_EQ(error.ErrorNumber(), static_cast<int>(c.errorNumber));
  }
}

}  // namespace
}  // namespace quillmoor
