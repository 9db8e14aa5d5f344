#include "paths/FileListing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SymbolicLinks.h"
#include "TempDir.h"
#include "paths/PathText.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using quillmoor::testing::TempDir;

// The folder a listing is asked for, as every listed string starts: ending with a separator.
std::string FolderPrefix(const TempDir& dir) { return dir / "src" + kNativeSeparator; }

// prefix + each name, the name's '/' written as the platform's separator.
std::vector<std::string> Prefixed(const std::string& prefix,
                                  const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names)
    paths.push_back(prefix + testing::WithNativeSeparators(name));
  return paths;
}

std::vector<std::string> ListAll(const std::string& folder, bool recurse, bool includeFolders) {
  return ListFiles(folder, "*.*", recurse, includeFolders, 0);
}

TEST(FileListingTest, ListsDepthFirstAsTheFlagsAsk) {
  TempDir dir;
  dir.WriteFile("src/a_one.txt", "1");
  dir.WriteFile("src/b_sub/two.txt", "2");
  dir.WriteFile("src/c_six.txt", "6");
  const std::string prefix = FolderPrefix(dir);

  struct Case {
    bool recurse;
    bool includeFolders;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {true, false, {"a_one.txt", "b_sub/two.txt", "c_six.txt"}},
      {true, true, {"a_one.txt", "b_sub/two.txt", "b_sub/", "c_six.txt", ""}},
      {false, true, {"a_one.txt", "b_sub", "c_six.txt", ""}},
      {false, false, {"a_one.txt", "c_six.txt"}},
  };
  for (const Case& c : cases) {
    for (const std::string& folder : {dir / "src", prefix}) {
      SCOPED_TRACE(folder + " recurse=" + std::to_string(c.recurse) +
                   " includeFolders=" + std::to_string(c.includeFolders));
      EXPECT_EQ(ListAll(folder, c.recurse, c.includeFolders), Prefixed(prefix, c.expected));
    }
  }
}

TEST(FileListingTest, EmptyOrMissingFolderListsAtMostItself) {
  TempDir dir;
  fs::create_directory(dir.path() / "src");
  dir.WriteFile("file.txt", "not a folder");
  const std::string prefix = FolderPrefix(dir);
  const std::string missing = dir / "missing";
  const std::string file = dir / "file.txt";

  struct Case {
    std::string folder;
    bool includeFolders;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {prefix, false, {}},  {prefix, true, {prefix}},
      {missing, false, {}}, {missing, true, {missing + kNativeSeparator}},
      {file, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(ListAll(c.folder, true, c.includeFolders), c.expected);
  }
}

TEST(FileListingTest, EmptyFolderNameMeansTheRoot) {
  const std::vector<std::string> listing = ListAll("", false, true);
  ASSERT_FALSE(listing.empty());
  EXPECT_EQ(listing.back(), std::string(1, kNativeSeparator));
  for (const std::string& path : listing) EXPECT_EQ(path.front(), kNativeSeparator) << path;
}

// A folder's names come ordered by their upper-cased characters, the way NTFS orders a
// folder, and then by their bytes. Most of these would come the other way round under a
// plain byte order or a lower-casing one.
TEST(FileListingTest, ListsEveryNameInUpperCasedOrder) {
  struct Case {
    std::vector<std::string> ordered;
    std::string why;
  };
  const std::vector<Case> cases = {
      {{"a.txt", "B.txt", "C.txt"}, "case does not count"},
      {{"a", "_x"}, "'_' lies between the upper and the lower case letters"},
      {{"àa", "Àb"}, "à is upper-cased to À"},
      {{"ø", "÷"}, "ø is upper-cased to Ø, ÷ stays"},
      {{"ā", "ÿ"}, "ÿ is upper-cased to Ÿ"},
      {{"ša", "Šb"}, "š is upper-cased to Š"},
      {{".hidden", "shown"}, "hidden files are listed like any other"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TempDir dir;
    for (auto name = c.ordered.rbegin(); name != c.ordered.rend(); ++name) {
      dir.WriteFile("src/" + *name, *name);
    }
    EXPECT_EQ(ListAll(dir / "src", false, false), Prefixed(FolderPrefix(dir), c.ordered));
  }
}

TEST(FileListingTest, NamesDifferingOnlyInCaseComeInTheOrderOfTheirBytes) {
  TempDir dir;
  dir.WriteFile("src/a.txt", "a");
  if (fs::exists(dir.path() / "src/A.txt")) {
    GTEST_SKIP() << "this file system ignores case: A.txt and a.txt are one file (Windows)";
  }
  dir.WriteFile("src/A.txt", "A");
  EXPECT_EQ(ListAll(dir / "src", false, false), Prefixed(FolderPrefix(dir), {"A.txt", "a.txt"}));
}

TEST(FileListingTest, MaskPicksFilesAndFoldersCaseInsensitively) {
  TempDir dir;
  dir.WriteFile("src/a.txt", "");
  dir.WriteFile("src/docs/b.txt", "");
  dir.WriteFile("src/noext", "");
  dir.WriteFile("src/Read.ME", "");
  const std::string prefix = FolderPrefix(dir);

  struct Case {
    std::string mask;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"*.*", {"a.txt", "docs/b.txt", "noext", "Read.ME"}},
      {"*", {"a.txt", "docs/b.txt", "noext", "Read.ME"}},
      {"*.TXT", {"a.txt"}},  // docs does not match, so it is not entered
      {"d*", {}},            // docs is entered, but b.txt does not match
      {"?.txt", {"a.txt"}},
      {"read.me", {"Read.ME"}},
      {"no*.*", {"noext"}},
      {"*e*t", {"noext"}},
      {"x*", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    EXPECT_EQ(ListFiles(dir / "src", c.mask, true, false, 0), Prefixed(prefix, c.expected));
  }
}

TEST(FileListingTest, FollowsSymbolicLinksWithoutGoingRoundInCircles) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << testing::kNoSymbolicLinks;
  TempDir dir;
  dir.WriteFile("src/real/f.txt", "");
  fs::create_directory_symlink(dir.path() / "src/real", dir.path() / "src/link");
  fs::create_directory_symlink(dir.path() / "src", dir.path() / "src/loop");
  fs::create_directory_symlink(dir.path() / "src", dir.path() / "src/real/up");
  fs::create_symlink(dir.path() / "src/gone", dir.path() / "src/dangling");

  EXPECT_EQ(ListAll(dir / "src", true, false),
            Prefixed(FolderPrefix(dir), {"dangling", "link/f.txt", "real/f.txt"}));
  EXPECT_EQ(ListAll(dir / "src", false, true),
            Prefixed(FolderPrefix(dir), {"dangling", "link", "loop", "real", ""}));
}

TEST(FileListingTest, UnreadableSubFolderIsPassedOver) {
  TempDir dir;
  dir.WriteFile("src/a.txt", "");
  dir.WriteFile("src/locked/hidden.txt", "");
  dir.WriteFile("src/z.txt", "");
  const fs::path locked = dir.path() / "src/locked";
  fs::permissions(locked, fs::perms::none);
  std::error_code unreadable;
  fs::directory_iterator probe(locked, unreadable);
  const std::vector<std::string> listing = ListAll(dir / "src", true, false);
  fs::permissions(locked, fs::perms::owner_all);
  if (!unreadable) {
    GTEST_SKIP() << "the folder stays readable: the tests run as root, or on a system without "
                    "POSIX permissions (Windows)";
  }

  EXPECT_EQ(listing, Prefixed(FolderPrefix(dir), {"a.txt", "z.txt"}));
}

}  // namespace
}  // namespace quillmoor
