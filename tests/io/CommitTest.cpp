#include "io/Commit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "FaultyFileSystem.h"
#include "PowerCutFileSystem.h"
#include "TempDir.h"
#include "io/IoError.h"
#include "io/Processes.h"
#include "io/TemporaryNames.h"

namespace quillmoor {
namespace {

using testing::FaultyFileSystem;
using testing::NamesIn;
using testing::PowerCutFileSystem;
using testing::ReadFile;
using testing::TempDir;

// The names and contents of a folder; Quillmoor's temporary files left out when asked.
std::map<std::string, std::string> Contents(const TempDir& dir, bool withTemporaries = true) {
  std::map<std::string, std::string> contents;
  for (const std::string& name : NamesIn(dir.path())) {
    if (withTemporaries || !IsTemporaryFileName(name)) contents[name] = ReadFile(dir / name);
  }
  return contents;
}

std::unique_ptr<FileReplacement> Written(FileSystem& fileSystem, const std::string& target,
                                         const std::string& content) {
  auto written = std::make_unique<FileReplacement>(fileSystem, target);
  written->Content().WriteAt(0, content);
  written->Finish();
  return written;
}

// A commit as each writing command makes one, and the folder before and after it.
struct CommitCase {
  const char* what;
  std::map<std::string, std::string> before;
  std::function<void(Commit&, FileSystem&, const TempDir&)> build;
  std::map<std::string, std::string> after;
};

std::vector<CommitCase> CommitCases() {
  return {
      {"three wads replaced, each keeping its previous version",
       {{"a.wad", "A1"}, {"a.wad.bak", "A0"}, {"b.wad", "B1"}, {"c.wad", "C1"}},
       [](Commit& commit, FileSystem& files, const TempDir& dir) {
         for (const char* name : {"a.wad", "b.wad", "c.wad"}) {
           commit.Replace(Written(files, dir / name, std::string(name) + "-new"), true);
         }
       },
       {{"a.wad", "a.wad-new"},
        {"a.wad.bak", "A1"},
        {"b.wad", "b.wad-new"},
        {"b.wad.bak", "B1"},
        {"c.wad", "c.wad-new"},
        {"c.wad.bak", "C1"}}},
      {"a wad replaced without a backup, its old backup untouched, and a new one",
       {{"a.wad", "A1"}, {"a.wad.bak", "A0"}},
       [](Commit& commit, FileSystem& files, const TempDir& dir) {
         commit.Replace(Written(files, dir / "a.wad", "A2"), false);
         commit.Replace(Written(files, dir / "n.wad", "N1"), true);
       },
       {{"a.wad", "A2"}, {"a.wad.bak", "A0"}, {"n.wad", "N1"}}},
      {"two wads exchanged with their backups",
       {{"a.wad", "A1"}, {"a.wad.bak", "A0"}, {"b.wad", "B1"}, {"b.wad.bak", "B0"}},
       [](Commit& commit, FileSystem&, const TempDir& dir) {
         commit.ExchangeWithBackup(dir / "a.wad");
         commit.ExchangeWithBackup(dir / "b.wad");
       },
       {{"a.wad", "A0"}, {"a.wad.bak", "A1"}, {"b.wad", "B0"}, {"b.wad.bak", "B1"}}},
  };
}

void WriteAll(TempDir& dir, const std::map<std::string, std::string>& contents) {
  for (const auto& [name, content] : contents) dir.WriteFile(name, content);
}

// On a file system with hard links and on one without (FAT, exFAT).
TEST(Commit, DoesAllOrNothingWhereverTheProcessDiesAndTheNextRunFinishesIt) {
  for (const bool links : {true, false}) {
    for (const CommitCase& c : CommitCases()) {
      int killPoints = 0;
      for (int kill = 1;; ++kill) {
        TempDir dir;
        WriteAll(dir, c.before);
        FaultyFileSystem dying;
        if (!links) dying.RefuseLinks();
        dying.KillAt(kill);
        bool survived = true;
        try {
          Commit commit(dying);
          c.build(commit, dying, dir);
          commit.Run();
        } catch (const IoError&) {
          survived = false;
        }
        if (survived) {
          EXPECT_EQ(Contents(dir), c.after) << c.what;
          break;
        }
        ++killPoints;
        // Where there are hard links, a wad's name never goes missing, even for a moment.
        for (const auto& [name, content] : c.before) {
          if (links && !name.ends_with(".bak")) {
            EXPECT_TRUE(std::filesystem::exists(dir / name)) << c.what << ", killed at " << kill;
          }
        }
        // What the dead run left is finished by the next one on the folder: all or nothing.
        EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "").empty()) << c.what;
        const std::map<std::string, std::string> now = Contents(dir, false);
        EXPECT_TRUE(now == c.before || now == c.after) << c.what << ", killed at change " << kill;
        for (const std::string& name : NamesIn(dir.path())) {
          EXPECT_FALSE(IsJournalFileName(name)) << c.what << ", killed at change " << kill;
        }
      }
      EXPECT_GT(killPoints, 5) << c.what;
    }
  }
}

// The power fails where the process dies: what wasn't synced is lost, on a file system with
// hard links and on one without.
TEST(Commit, DoesAllOrNothingWhereverThePowerFailsAndTheNextRunFinishesIt) {
  for (const bool links : {true, false}) {
    for (const CommitCase& c : CommitCases()) {
      int cuts = 0;
      for (int kill = 1;; ++kill) {
        TempDir dir;
        WriteAll(dir, c.before);
        FaultyFileSystem dying;
        if (!links) dying.RefuseLinks();
        dying.KillAt(kill);
        PowerCutFileSystem disk(dying);
        bool survived = true;
        try {
          Commit commit(disk);
          c.build(commit, disk, dir);
          commit.Run();
        } catch (const IoError&) {
          survived = false;
        }
        if (survived) break;
        ++cuts;
        disk.PowerCut();
        const std::string where = std::string(c.what) + ", power cut at change " +
                                  std::to_string(kill) + (links ? "" : ", no links");
        EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "").empty()) << where;
        const std::map<std::string, std::string> now = Contents(dir, false);
        EXPECT_TRUE(now == c.before || now == c.after) << where;
        for (const std::string& name : NamesIn(dir.path())) {
          EXPECT_FALSE(IsJournalFileName(name)) << where;
        }
      }
      EXPECT_GT(cuts, 5) << c.what;
    }
  }
}

TEST(Commit, NeedsNoMoreThanPlainRenamesAndRemovals) {
  // A file system without hard links and without an exchange of two names, as FAT: the
  // steps counted are renames, removals and syncs only.
  TempDir dir;
  WriteAll(dir, {{"a.wad", "A1"}, {"a.wad.bak", "A0"}});
  FaultyFileSystem files;
  files.RefuseLinks();
  Commit commit(files);
  commit.ExchangeWithBackup(dir / "a.wad");
  commit.Run();
  EXPECT_EQ(files.Calls(testing::FileStep::Rename), 4);  // the journal's, then three steps
  EXPECT_EQ(files.Calls(testing::FileStep::Remove), 1);  // the journal
  EXPECT_EQ(Contents(dir),
            (std::map<std::string, std::string>{{"a.wad", "A0"}, {"a.wad.bak", "A1"}}));
}

TEST(FinishInterruptedCommits, KeepsAndReportsAJournalItCantFinishAndWhatItNames) {
  TempDir dir;
  const std::string leftover = NewTemporaryFileName("a.wad", kNewVersionKind, 999999999);
  const std::string journal = NewJournalFileName(CurrentProcessId());
  dir.WriteFile("a.wad", "A1");
  dir.WriteFile(leftover, "A2");
  // The step's source is gone and its destination isn't there either.
  dir.WriteFile(journal, "quillmoor commit 1\nrename\tmissing.wad\tb.wad\nsync\nend\n");
  const std::map<std::string, std::string> before = Contents(dir);
  EXPECT_EQ(FinishInterruptedCommits(NativeFileSystem(), dir / ""),
            std::vector<std::string>{dir / journal});
  EXPECT_EQ(Contents(dir), before);

  // A journal cut short while it was written is no journal: it can't be finished either.
  dir.WriteFile(journal, "quillmoor commit 1\nrename\ta.wad\tb.wad\nsync\n");
  EXPECT_EQ(FinishInterruptedCommits(NativeFileSystem(), dir / "").size(), 1u);
  EXPECT_EQ(ReadFile(dir / "a.wad"), "A1");
}

TEST(FinishInterruptedCommits, LeavesTheJournalOfARunStillAtWorkAlone) {
#ifdef _WIN32
  GTEST_SKIP() << "process 1, always running, is POSIX's";
#endif
  TempDir dir;
  const std::string journal = NewJournalFileName(1);
  dir.WriteFile("a.wad.quillmoor-new-1-AbCdEf.tmp", "A2");
  dir.WriteFile("a.wad", "A1");
  dir.WriteFile(journal,
                "quillmoor commit 1\nrename\ta.wad.quillmoor-new-1-AbCdEf.tmp\ta.wad\n"
                "sync\nend\n");
  EXPECT_TRUE(FinishInterruptedCommits(NativeFileSystem(), dir / "", std::chrono::milliseconds(50))
                  .empty());
  EXPECT_EQ(ReadFile(dir / "a.wad"), "A1");
  EXPECT_EQ(NamesIn(dir.path()).size(), 3u);
}

}  // namespace
}  // namespace quillmoor
