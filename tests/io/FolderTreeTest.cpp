#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "TempDir.h"
#include "io/FileSystem.h"
#include "io/IoError.h"
#include "io/TemporaryNames.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::FilesBelow;
using testing::TempDir;

// Every name below folder, hidden ones included.
std::vector<std::string> NamesBelow(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(entry.path().lexically_relative(folder).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteWhole(FolderTree& tree, const std::string& path, std::string_view bytes) {
  const std::unique_ptr<NewFile> file = tree.BeginFile(path);
  file->Content().WriteAt(0, bytes);
  file->PutInPlace();
}

TEST(FolderTree, AFileHasNoNameUntilPutInPlaceAndLeavesNothingWhenDropped) {
  TempDir dir;
  const std::unique_ptr<FolderTree> tree = NativeFileSystem().OpenFolderTree(dir / "out/tree");
  {
    const std::unique_ptr<NewFile> dropped = tree->BeginFile("a/dropped");
    dropped->Content().WriteAt(0, "half");
#ifdef _WIN32
    // Windows has no unnamed files: the content has a temporary name of Quillmoor's meanwhile.
    const std::vector<std::string> names = NamesBelow(dir / "out/tree");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "a");
    EXPECT_TRUE(names[1].starts_with("a/") && IsTemporaryFileName(names[1].substr(2))) << names[1];
#else
    EXPECT_EQ(NamesBelow(dir / "out/tree"), std::vector<std::string>{"a"});
#endif
  }
  WriteWhole(*tree, "a/./b//kept", "whole");
  EXPECT_EQ(NamesBelow(dir / "out/tree"), (std::vector<std::string>{"a", "a/b", "a/b/kept"}));
  EXPECT_EQ(testing::ReadFile(dir / "out/tree/a/b/kept"), "whole");
}

TEST(FolderTree, NeverFollowsALinkOnTheWayEvenOneThatAppearsWhileWriting) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows won't rename a folder the tree holds open, so no link can take its "
                  "place there";
#else
  TempDir dir;
  fs::create_directories(dir / "outside");
  const std::unique_ptr<FolderTree> tree = NativeFileSystem().OpenFolderTree(dir / "out");
  WriteWhole(*tree, "first/x", "1");
  fs::rename(dir / "out/first", dir / "out/moved");
  fs::create_directory_symlink(dir / "outside", dir / "out/first");
  // The folder already open is used as it was opened, wherever its name now leads.
  WriteWhole(*tree, "first/y", "2");
  fs::create_directory_symlink(dir / "outside", dir / "out/maps");
  for (const char* path : {"maps/x", "maps/deeper/x", "first/z"}) {
    EXPECT_THROW(WriteWhole(*tree, path, "3"), IoError) << path;
  }
  EXPECT_TRUE(fs::is_empty(dir / "outside"));
  EXPECT_EQ(FilesBelow(dir / "out/moved"),
            (std::map<std::string, std::string>{{"x", "1"}, {"y", "2"}}));
#endif
}

TEST(FolderTree, RefusesAPathThatClimbsOutOrNamesAFolder) {
  TempDir dir;
  const std::unique_ptr<FolderTree> tree = NativeFileSystem().OpenFolderTree(dir / "out");
  const std::pair<const char*, IoFailure> cases[] = {
      {"../x", IoFailure::InvalidName}, {"a/../../x", IoFailure::InvalidName},
      {"", IoFailure::AccessDenied},    {"a/", IoFailure::AccessDenied},
      {"a/.", IoFailure::AccessDenied},
  };
  for (const auto& [path, failure] : cases) {
    try {
      tree->BeginFile(path);
      ADD_FAILURE() << path;
    } catch (const IoError& error) {
      EXPECT_EQ(error.Kind(), failure) << path;
    }
  }
  EXPECT_TRUE(fs::is_empty(dir / "out"));
  EXPECT_TRUE(NamesBelow(dir.path()) == std::vector<std::string>{"out"});
}

TEST(FolderTree, FreeSpaceOfAPathNotYetMadeIsThatOfTheFolderAboveIt) {
  TempDir dir;
  FileSystem& files = NativeFileSystem();
  const FreeSpace space = files.FreeSpaceFor(dir.path().string());
  const std::int64_t free = space.bytes;
  EXPECT_GT(free, 0);
  EXPECT_GE(space.blockSize, 512);
  // Other programs write meanwhile: the two need only be close.
  EXPECT_NEAR(static_cast<double>(files.FreeSpaceFor(dir / "not/made/yet").bytes),
              static_cast<double>(free), 64.0 * 1024 * 1024);
  EXPECT_FALSE(fs::exists(dir / "not"));
}

}  // namespace
}  // namespace quillmoor
