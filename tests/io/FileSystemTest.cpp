#include "io/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "io/IoError.h"

namespace quillmoor {
namespace {

using testing::ReadFile;
using testing::TempDir;

IoFailure FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const IoError& error) {
    return error.kind();
  }
  ADD_FAILURE() << "the call succeeded";
  return IoFailure::Other;
}

TEST(NativeFileSystem, TellsAMissingFileFromAWrongPathAndRefusesAFolder) {
  TempDir dir;
  FileSystem& files = NativeFileSystem();
  EXPECT_EQ(FailureOf([&] { files.OpenForReading(dir / "missing.wad"); }), IoFailure::FileNotFound);
  EXPECT_EQ(FailureOf([&] { files.OpenForReadingAndWriting(dir / "no/such/folder.wad"); }),
            IoFailure::InvalidName);
  EXPECT_EQ(FailureOf([&] { files.OpenForReading(""); }), IoFailure::InvalidName);
  EXPECT_EQ(FailureOf([&] { files.OpenForReading(dir.path().string()); }), IoFailure::AccessDenied);
  EXPECT_EQ(FailureOf([&] { files.CreateOrTruncate(dir.path().string()); }),
            IoFailure::AccessDenied);
}

TEST(NativeFileSystem, ReadsAndWritesWholeBlocksAtTheirPositions) {
  TempDir dir;
  const std::string name = dir / "f";
  std::unique_ptr<File> file = NativeFileSystem().CreateOrTruncate(name);
  file->WriteAt(6, std::string_view("tail"));
  file->WriteAt(0, std::string_view("ab"));
  EXPECT_EQ(file->Length(), 10);
  std::string block(4, '?');
  file->ReadAt(1, block);
  EXPECT_EQ(block, std::string("b\0\0\0", 4));
  EXPECT_EQ(FailureOf([&] { file->ReadAt(8, block); }), IoFailure::ReadBeyondEnd);
  file->Close();
  EXPECT_EQ(ReadFile(name), std::string("ab\0\0\0\0tail", 10));
}

TEST(FileReplacement, TakesThePlaceOfTheTargetOnlyWhenCommitted) {
  TempDir dir;
  const std::string target = dir.WriteFile("cars.wad", "old");
  {
    std::unique_ptr<FileReplacement> abandoned = NativeFileSystem().BeginReplacement(target);
    abandoned->Content().WriteAt(0, std::string_view("new"));
  }
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  std::unique_ptr<FileReplacement> kept = NativeFileSystem().BeginReplacement(dir / "new.wad");
  kept->Content().WriteAt(0, std::string_view("new"));
  kept->Commit();
  EXPECT_EQ(ReadFile(dir / "new.wad"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace quillmoor
