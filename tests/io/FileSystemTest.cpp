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
#include "io/Commit.h"
#include "io/IoError.h"
#include "io/Replacement.h"
#include "io/TemporaryNames.h"

namespace quillmoor {
namespace {

using testing::NamesIn;
using testing::ReadFile;
using testing::TempDir;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

void Replace(const std::string& target, std::string_view content) {
  auto replacement = std::make_unique<FileReplacement>(NativeFileSystem(), target);
  replacement->Content().WriteAt(0, content);
  replacement->Finish();
  Commit commit(NativeFileSystem());
  commit.Replace(std::move(replacement), false);
  commit.Run();
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

TEST(FileReplacement, IsATemporaryFileOfQuillmoorsThatGoesUnlessACommitTakesIt) {
  TempDir dir;
  const std::string target = dir.WriteFile("cars.wad", "old");
  {
    FileReplacement abandoned(NativeFileSystem(), target);
    abandoned.Content().WriteAt(0, std::string_view("new"));
    const std::vector<std::string> names = NamesIn(dir.path());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "cars.wad");
    EXPECT_TRUE(names[1].starts_with("cars.wad.quillmoor-new-") && names[1].ends_with(".tmp"))
        << names[1];
    EXPECT_TRUE(IsTemporaryFileName(names[1]));
  }
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"cars.wad"});
  EXPECT_EQ(ReadFile(target), "old");

  Replace(dir / "new.wad", "new");
  Replace(target, "newer");
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"cars.wad", "new.wad"}));
  EXPECT_EQ(ReadFile(dir / "new.wad"), "new");
  EXPECT_EQ(ReadFile(target), "newer");
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

TEST(FinishInterruptedCommits, RemovesWhatEndedProcessesLeftInTheFolderOnly) {
  TempDir dir;
  const long gone = GoneProcess();
  dir.WriteFile("cars.wad", "old");
  const std::string leftover = NewTemporaryFileName("cars.wad", kNewVersionKind, gone);
  const std::string oldLeftover = NewTemporaryFileName("monza.wad", kOldVersionKind, gone);
  const std::string running = NewTemporaryFileName("cars.wad", kNewVersionKind, RunningProcess());
  const std::string lookalike = "cars.wad.quillmoor-new-12.tmp";
  for (const std::string& name : {leftover, oldLeftover, running, lookalike}) {
    dir.WriteFile(name, "partial");
  }
  EXPECT_TRUE(IsTemporaryFileName(leftover));
  EXPECT_FALSE(IsTemporaryFileName(lookalike));
  EXPECT_FALSE(IsTemporaryFileName(".cars.wad.AbC123"));

  EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "").empty());
  std::vector<std::string> expected{running, lookalike, "cars.wad"};
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

TEST(LockNewName, MakesASecondCreationWaitAndLeavesNoLockFileWhenItEnds) {
  TempDir dir;
  const std::string wad = dir / "new.wad";
  std::unique_ptr<NameLock> held = NativeFileSystem().LockNewName(wad, 0ms);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(NativeFileSystem().LockNewName(wad, 200ms), nullptr);
  // A run that looks for what killed runs left leaves a lock that is held alone.
  EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "").empty());
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"new.wad.quillmoor-lock"});

  std::thread release([&] {
    std::this_thread::sleep_for(100ms);
    held.reset();
  });
  std::unique_ptr<NameLock> waiter = NativeFileSystem().LockNewName(wad, 5s);
  release.join();
  EXPECT_NE(waiter, nullptr);
  // The first run's lock file went with its lock: the waiter holds the one the name has now.
  EXPECT_EQ(NativeFileSystem().LockNewName(wad, 0ms), nullptr);
  waiter.reset();
  EXPECT_TRUE(NamesIn(dir.path()).empty());
  EXPECT_TRUE(IsTemporaryFileName("new.wad.quillmoor-lock"));
}

TEST(LockNewName, ALockFileThatNoRunHoldsIsRemovedByTheNextRunOnTheFolder) {
  TempDir dir;
  // What a creation killed while it held the lock leaves on POSIX.
  dir.WriteFile("new.wad.quillmoor-lock", "");
  EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "").empty());
  EXPECT_TRUE(NamesIn(dir.path()).empty());
}

}  // namespace
}  // namespace quillmoor
