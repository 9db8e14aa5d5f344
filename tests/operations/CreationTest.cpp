#include "operations/Creation.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>

#include "FakeHost.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"
#include "io/TemporaryNames.h"
#include "operations/Extraction.h"
#include "operations/Update.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::FaultyFileSystem;
using testing::FilesBelow;
using testing::FileStep;
using testing::Progress;
using testing::ReadFile;
using testing::TempDir;
using testing::WadBuilder;

struct Creation {
  TempDir dir;
  FakeHost host;
  ProgramState state;

  void Create(const std::string& source, const std::string& wad) {
    host.sourceText = source;
    host.saveAnswers = {wad};
    CreateWad(host, state, NativeFileSystem());
  }
};

TEST(CreateWad, PacksTheFolderBehindTheDirectoryInListingOrder) {
  Creation run;
  run.dir.WriteFile("data/b.txt", "BB");
  run.dir.WriteFile("data/A.dat", "AAAA");
  run.Create(run.dir / "data", run.dir / "out.wad");

  EXPECT_EQ(ReadFile(run.dir / "out.wad"),
            WadBuilder().Entry("A.dat", "AAAA").Entry("b.txt", "BB").Build());
  ASSERT_EQ(run.host.saveShown.size(), 1u);
  EXPECT_EQ(run.host.saveShown[0].fileName, "data.wad");
  EXPECT_EQ(run.host.saveShown[0].filter, "Wad file(*.wad)|*.wad");
  EXPECT_EQ(run.host.settings.Stored("FileName"), run.dir / "data");
  EXPECT_EQ(run.host.progress, (std::vector<Progress>{{50, "Creating files : 50%"},
                                                      {100, "Creating files : 100%"},
                                                      {0, "Wad created in 0s"}}));
}

TEST(CreateWad, NamesNestedFilesByTheirPathBelowTheFolderTheSameWithATrailingSeparator) {
  Creation run;
  run.dir.WriteFile("src/top.txt", "T");
  run.dir.WriteFile("src/maps/monza2001/track.dat", "TRACK");
  run.dir.WriteFile("src/cars/f\xC3\xA9lix.tex", "");
  run.dir.WriteFile("src/.hidden", "H");
  run.Create(run.dir / "src", run.dir / "one.wad");
  run.Create(run.dir / "src/", run.dir / "two.wad");

  const std::string expected = WadBuilder()
                                   .Entry(".hidden", "H")
                                   .Entry("cars\\f\xE9lix.tex", "")
                                   .Entry("maps\\monza2001\\track.dat", "TRACK")
                                   .Entry("top.txt", "T")
                                   .Build();
  EXPECT_EQ(ReadFile(run.dir / "one.wad"), expected);
  EXPECT_EQ(ReadFile(run.dir / "two.wad"), expected);
}

// A folder is a folder whatever dots its name holds, and one file is enough for a wad.
TEST(CreateWad, PacksAnyExistingFolderAlsoOneWithADotOrASingleFile) {
  Creation run;
  run.dir.WriteFile("mod.v2/a.txt", "A");
  run.dir.WriteFile("mod.v2/b.txt", "BB");
  run.dir.WriteFile("README/only.txt", "O");
  run.Create(run.dir / "mod.v2", run.dir / "dotted.wad");
  run.Create(run.dir / "README", run.dir / "one.wad");
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(ReadFile(run.dir / "dotted.wad"),
            WadBuilder().Entry("a.txt", "A").Entry("b.txt", "BB").Build());
  EXPECT_EQ(ReadFile(run.dir / "one.wad"), WadBuilder().Entry("only.txt", "O").Build());
}

TEST(CreateWad, RefusesSourcesThatMakeNoWadAndWritesNothing) {
  struct Case {
    const char* what;
    std::string source;
    std::string message;
    bool fileNameStored;
  };
  TempDir dir;
  dir.WriteFile("one/only.txt", "x");
  fs::create_directories(dir / "empty");
  const std::string longName(129, 'n');
  dir.WriteFile("long/a.txt", "a");
  dir.WriteFile("long/" + longName, "b");
  dir.WriteFile("spelling/a.txt", "a");
  const std::string unspellable = dir.WriteFile("spelling/\xE6\x97\xA5.txt", "b");
  dir.WriteFile("huge/a.txt", "a");
  const std::string huge = dir.WriteFile("huge/b.bin", "");
  fs::resize_file(huge, 2'147'483'647 - 4 - 2 * 136);  // sparse: takes no room on disk
  const Case cases[] = {
      {"an empty source", "", "Sorry but you have to choose a source folder first.", false},
      {"the placeholder", "...or select a file",
       "Sorry but you have to choose a source folder first.", false},
      {"a folder that doesn't exist", dir / "mdo",
       "Sorry but you surely did a mistake in file's pathname :)", false},
      {"a file that doesn't exist", dir / "one/other.txt",
       "Sorry but you surely did a mistake in file's pathname :)", false},
      {"a single file", dir / "one/only.txt", "Sorry but you have to choose a source folder first.",
       false},
      {"an empty folder", dir / "empty", "Sorry but you have to choose a source folder first.",
       false},
      {"a name longer than the field", dir / "long",
       "Sorry but this file name is too long for a wad: " + longName, true},
      {"a name the code page can't spell", dir / "spelling",
       "Sorry but this file name can't be stored in a wad: " + unspellable, true},
      {"more than a wad can hold", dir / "huge", "Sorry but the wad would be larger than 2 GB.",
       true},
  };
  for (const Case& c : cases) {
    FakeHost host;
    ProgramState state;
    host.sourceText = c.source;
    host.saveAnswers = {dir / "out.wad"};
    CreateWad(host, state, NativeFileSystem());
    EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(host.settings.Stored("FileName").has_value(), c.fileNameStored) << c.what;
    EXPECT_TRUE(host.saveShown.empty()) << c.what;
    EXPECT_FALSE(fs::exists(dir / "out.wad")) << c.what;
  }
}

TEST(CreateWad, CancellingTheDialogStoresTheSourceAndWritesNothing) {
  Creation run;
  run.dir.WriteFile("data/a", "a");
  run.dir.WriteFile("data/b", "b");
  run.host.sourceText = run.dir / "data";
  CreateWad(run.host, run.state, NativeFileSystem());
  EXPECT_EQ(run.host.settings.Stored("FileName"), run.dir / "data");
  EXPECT_TRUE(run.host.progress.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), {}), 1);
}

TEST(CreateWad, AWadPlacedInTheSourceFolderPacksOnlyWhatWasThereBefore) {
  Creation run;
  run.dir.WriteFile("data/a", "a");
  run.dir.WriteFile("data/z.wad", "older");
  run.Create(run.dir / "data", run.dir / "data/z.wad");
  EXPECT_EQ(ReadFile(run.dir / "data/z.wad"),
            WadBuilder().Entry("a", "a").Entry("z.wad", "older").Build());
}

TEST(CreateWad, AFailedWriteLeavesNoWad) {
  Creation run;
  run.dir.WriteFile("data/a", "a");
  run.dir.WriteFile("data/b", "b");
  run.host.sourceText = run.dir / "data";
  run.host.saveAnswers = {run.dir / "out.wad"};
  FaultyFileSystem files;
  files.FailAt(FileStep::Write, 2, IoFailure::DiskFull, ENOSPC);
  EXPECT_THROW(CreateWad(run.host, run.state, files), IoError);
  EXPECT_FALSE(fs::exists(run.dir / "out.wad"));
  EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), {}), 1);
}

TEST(CreateWad, CreateUpdateAndExtractKeepEveryFile) {
  Creation run;
  run.dir.WriteFile("src/maps/monza2001/track.dat", "TRACK");
  run.dir.WriteFile("src/maps/monza2001/empty.txt", "");
  run.dir.WriteFile("src/cars/ferrari/car.tex", "CAR");
  run.Create(run.dir / "src", run.dir / "game.wad");

  FakeHost update;
  ProgramState state;
  update.wadText = run.dir / "game.wad";
  update.sourceText = run.dir.WriteFile("mod/track.dat", "NEW TRACK");
  RunUpdate(update, state, NativeFileSystem());
  run.dir.WriteFile("src/maps/monza2001/track.dat", "NEW TRACK");

  FakeHost extract;
  extract.wadText = run.dir / "game.wad";
  extract.saveAnswers = {run.dir / "out"};
  ExtractWad(extract, NativeFileSystem());
  EXPECT_EQ(FilesBelow(run.dir / "out"), FilesBelow(run.dir / "src"));
}

TEST(CreateWad, NeverPacksTheTemporaryFileOfAKilledRun) {
  Creation run;
  run.dir.WriteFile("data/a", "a");
  run.dir.WriteFile("data/b", "b");
  run.dir.WriteFile("data/" + NewTemporaryFileName("data.wad", kNewVersionKind, 999999), "partial");
  run.dir.WriteFile("data/" + NewJournalFileName(999999), "quillmoor commit 1\n");
  run.Create(run.dir / "data", run.dir / "out.wad");
  EXPECT_EQ(ReadFile(run.dir / "out.wad"), WadBuilder().Entry("a", "a").Entry("b", "b").Build());
}

// Runs f as an ordinary user: in a child process that gives up root when the test has it.
// Gives whether f returned true there.
bool AsOrdinaryUser(const std::function<bool()>& f) {
#ifdef _WIN32
  // No user on Windows passes over a read-only file as root does.
  return f();
#else
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    ::_exit(f() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

TEST(CreateWad, RefusesToReplaceAWadTheUserMayNotWrite) {
  Creation run;
  fs::permissions(run.dir.path(), fs::perms::all);
  run.dir.WriteFile("data/a", "a");
  run.dir.WriteFile("data/b", "b");
  const std::string wad = run.dir.WriteFile("game.wad", "read-only wad");
  fs::permissions(run.dir / "data", fs::perms::all);
  fs::permissions(wad, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifdef _WIN32
  if (std::ofstream(wad, std::ios::app)) {
    GTEST_SKIP() << "this user writes read-only files as root does (Wine run by root)";
  }
#endif
  EXPECT_TRUE(AsOrdinaryUser([&] {
    try {
      run.Create(run.dir / "data", wad);
    } catch (const IoError& error) {
      return std::string(error.what()) == "Accès au fichier refusé";
    }
    return false;
  }));
  EXPECT_EQ(ReadFile(wad), "read-only wad");
  EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), {}), 2);
}

}  // namespace
}  // namespace quillmoor
