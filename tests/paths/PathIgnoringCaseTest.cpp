#include "paths/PathIgnoringCase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"

namespace quillmoor {
namespace {

using testing::TempDir;

// Whether the file system that holds dir ignores case, as Windows's do: then every name that
// differs only in case leads to the same file, and is found as it is given.
bool IgnoresCase(const TempDir& dir) {
  dir.WriteFile("case", "");
  return std::filesystem::exists(dir.path() / "CASE");
}

TEST(PathIgnoringCase, FindsTheEntryWhoseNameDiffersOnlyInCase) {
  TempDir dir;
  if (IgnoresCase(dir)) GTEST_SKIP() << "this file system ignores case itself (Windows)";
  dir.WriteFile("game/Gp4.EXE", "MZ");
  dir.WriteFile("game/MONZA2001.WAD", "");
  dir.WriteFile("game/Café/x", "");
  dir.WriteFile("two/GP4.exe", "");
  dir.WriteFile("two/gp4.exe", "");
  dir.WriteFile("two/Gp4.exe", "");
  struct Case {
    std::string path;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {dir / "game/GP4.exe", dir / "game/Gp4.EXE"},
      {dir / "game/monza2001.wad", dir / "game/MONZA2001.WAD"},
      {dir / "game/CAFÉ", dir / "game/Café"},
      {dir / "GAME", dir / "game"},
      {dir / "two/gp4.exe", dir / "two/gp4.exe"},  // the exact name first
      {dir / "two/GP4.EXE", dir / "two/GP4.exe"},  // else the first in byte order
      {dir / "game/spa2001.wad", dir / "game/spa2001.wad"},
      {dir / "missing/GP4.exe", dir / "missing/GP4.exe"},
      {dir / "game/", dir / "game/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(PathIgnoringCase(c.path), c.expected);
  }
}

TEST(PathIgnoringCase, LooksInTheCurrentFolderForANameWithoutFolder) {
  TempDir dir;
  if (IgnoresCase(dir)) GTEST_SKIP() << "this file system ignores case itself (Windows)";
  dir.WriteFile("Readme.TXT", "");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const std::string found = PathIgnoringCase("readme.txt");
  std::filesystem::current_path(before);
  EXPECT_EQ(found, "Readme.TXT");
}

}  // namespace
}  // namespace quillmoor
