#include "io/FileSystem.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <thread>

#include "TempDir.h"
#include "io/IoError.h"
#include "io/TemporaryNames.h"

namespace quillmoor {
namespace {

using testing::NamesIn;
using testing::ReadFile;
using testing::TempDir;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

void Replace(const std::string& target, std::string_view content) {
  std::unique_ptr<FileReplacement> replacement = NativeFileSystem().BeginReplacement(target);
  replacement->Content().WriteAt(0, content);
  replacement->Commit();
}

IoFailure FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const IoError& error) {
    return error.Kind();
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

TEST(FileReplacement, HasNoNameInTheFolderUntilItIsCommitted) {
  TempDir dir;
  const std::string target = dir.WriteFile("cars.wad", "old");
  std::unique_ptr<FileReplacement> replacement = NativeFileSystem().BeginReplacement(target);
  replacement->Content().WriteAt(0, std::string(1 << 20, 'n'));
  replacement->Content().Flush();
#ifdef _WIN32
  // Windows has no unnamed files: the content has a temporary name of Quillmoor's meanwhile.
  const std::vector<std::string> names = NamesIn(dir.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(IsTemporaryFileName(names[0])) << names[0];
  EXPECT_EQ(names[1], "cars.wad");
#else
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"cars.wad"});
#endif
  replacement->Commit();
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"cars.wad"});
  EXPECT_EQ(ReadFile(target), std::string(1 << 20, 'n'));
}

TEST(FileReplacement, KeepsTheOwnerGroupAndPermissionBitsOfTheFileItReplaces) {
#ifdef _WIN32
  GTEST_SKIP() << "owners, groups and permission bits are POSIX's";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  TempDir dir;
  const std::string target = dir.WriteFile("cars.wad", "old");
  ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  Replace(target, "new");
  struct stat status {};
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 65534u);
  EXPECT_EQ(status.st_gid, 65534u);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(target), "new");
#endif
}

namespace {

// A process that has ended, and one that is running.
#ifdef _WIN32
long GoneProcess() { return 0x7FFFFFF0; }  // no process ever has this number
long RunningProcess() { return static_cast<long>(::GetCurrentProcessId()); }
#else
long GoneProcess() {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  return gone;
}
long RunningProcess() { return 1; }
#endif

}  // namespace

TEST(FileReplacement, RemovesWhatKilledRunsLeftForTheSameTargetOnly) {
  TempDir dir;
  const long gone = GoneProcess();
  const std::string target = dir.WriteFile("cars.wad", "old");
  const std::string leftover = TemporaryNamePrefix("cars.wad", gone) + "AbC123";
  const std::string running = TemporaryNamePrefix("cars.wad", RunningProcess()) + "AbC123";
  const std::string otherWad = TemporaryNamePrefix("monza.wad", gone) + "AbC123";
  for (const std::string& name : {leftover, running, otherWad}) dir.WriteFile(name, "partial");
  EXPECT_TRUE(IsTemporaryFileName(leftover));
  EXPECT_FALSE(IsTemporaryFileName(".cars.wad.AbC123"));

  Replace(target, "new");
  std::vector<std::string> expected{running, otherWad, "cars.wad"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(dir.path()), expected);
}

TEST(OpenExclusive, WaitsForTheRunThatHoldsTheWadAndRefusesWhenItHoldsItLonger) {
  TempDir dir;
  const std::string wad = dir.WriteFile("cars.wad", "old");
  std::unique_ptr<File> held = NativeFileSystem().OpenExclusive(wad, 0ms);
  ASSERT_NE(held, nullptr);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(NativeFileSystem().OpenExclusive(wad, 200ms), nullptr);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);

  std::thread release([&] {
    std::this_thread::sleep_for(100ms);
    held.reset();
  });
  EXPECT_NE(NativeFileSystem().OpenExclusive(wad, 5s), nullptr);
  release.join();

  EXPECT_EQ(FailureOf([&] { NativeFileSystem().OpenExclusive(dir / "missing.wad", 0ms); }),
            IoFailure::FileNotFound);
  EXPECT_EQ(FailureOf([&] { NativeFileSystem().OpenExclusive(dir.path().string(), 0ms); }),
            IoFailure::AccessDenied);
}

TEST(OpenExclusive, OpensTheNewFileWhenTheHolderReplacedTheOldOne) {
  TempDir dir;
  const std::string wad = dir.WriteFile("cars.wad", "old");
  std::unique_ptr<File> held = NativeFileSystem().OpenExclusive(wad, 0ms);
  std::thread holder([&] {
    std::this_thread::sleep_for(100ms);
    Replace(wad, "new");
    held.reset();
  });
  std::unique_ptr<File> waiter = NativeFileSystem().OpenExclusive(wad, 5s);
  holder.join();
  ASSERT_NE(waiter, nullptr);
  std::string content(3, '?');
  waiter->ReadAt(0, content);
  EXPECT_EQ(content, "new");
}

}  // namespace
}  // namespace quillmoor
