#include "operations/Extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FakeHost.h"
#include "FaultyFileSystem.h"
#include "SymbolicLinks.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"
#include "operations/Creation.h"
#include "operations/Update.h"
#include "wad/WadDirectory.h"

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

TEST(ExtractWad, OffersTheWadsFolderAndNameThenWritesEveryEntryAndRemembersWhere) {
  TempDir dir;
  FakeHost host;
  host.wadText = WadBuilder()
                     .Entry("maps\\monza2001\\track.dat", "TRACK")
                     .Entry("readme.txt", "hello")
                     .Entry("cars\\f\xE9lix.tex", "")
                     .WriteTo(dir / "data/cars.wad");
  host.saveAnswers = {dir / "data/cars"};

  ExtractWad(host, NativeFileSystem());

  ASSERT_EQ(host.saveShown.size(), 1u);
  EXPECT_EQ(host.saveShown[0].fileName, dir / "data/cars");
  EXPECT_EQ(host.saveShown[0].filter, "");
  EXPECT_EQ(FilesBelow(dir / "data/cars"),
            (std::map<std::string, std::string>{{"maps/monza2001/track.dat", "TRACK"},
                                                {"readme.txt", "hello"},
                                                {"cars/f\xC3\xA9lix.tex", ""}}));
  EXPECT_EQ(host.progress, (std::vector<Progress>{{0, "Extracting files : 0%"},
                                                  {33, "Extracting files : 33%"},
                                                  {66, "Extracting files : 66%"},
                                                  {0, "Wad extracted in 0s"}}));
  EXPECT_EQ(host.settings.Stored("WadName"), host.wadText);
  EXPECT_EQ(host.settings.Stored("ExtractPath"), dir / "data/");
  EXPECT_TRUE(host.messages.empty());
}

TEST(ExtractWad, CancellingStoresTheWadAndTheOfferedFolderAndWritesNothing) {
  TempDir dir;
  FakeHost host;
  host.wadText = WadBuilder().Entry("a", "x").WriteTo(dir / "cars.wad");
  host.settings.values["ExtractPath"] = dir / "out/";
  ExtractWad(host, NativeFileSystem());
  EXPECT_EQ(host.saveShown[0].fileName, dir / "out/cars");
  EXPECT_EQ(host.settings.Stored("WadName"), host.wadText);
  EXPECT_EQ(host.settings.Stored("ExtractPath"), dir / "out/");
  EXPECT_FALSE(fs::exists(dir / "out"));
  EXPECT_TRUE(host.progress.empty());
}

TEST(ExtractWad, RefusesAWadFieldThatNamesNoFileAndStoresNothing) {
  TempDir dir;
  for (const std::string& wad : {dir / "missing.wad", dir.path().string(), std::string()}) {
    FakeHost host;
    host.wadText = wad;
    ExtractWad(host, NativeFileSystem());
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Sorry but you have to choose a wad file first."});
    EXPECT_TRUE(host.settings.values.empty());
    EXPECT_TRUE(host.saveShown.empty());
  }
}

TEST(ExtractWad, HandlesTheShapesAWadCanTake) {
  struct Case {
    const char* what;
    WadBuilder wad;
    std::map<std::string, std::string> files;
  };
  const std::string name128 = "deep\\" + std::string(123, 'n');
  const Case cases[] = {
      {"the later of two equal names wins",
       WadBuilder().Entry("a.txt", "first").Entry("a.txt", "second"),
       {{"a.txt", "second"}}},
      {"an empty entry gives an empty file", WadBuilder().Entry("empty", ""), {{"empty", ""}}},
      {"a 128-byte name is used whole",
       WadBuilder().Entry(name128, "x"),
       {{"deep/" + std::string(123, 'n'), "x"}}},
      {"blocks out of order and overlapping",
       WadBuilder()
           .Record("b", 4 + 2 * 136 + 2, 3)
           .Record("a", 4 + 2 * 136, 4)
           .Bytes(4 + 2 * 136, "AABBB"),
       {{"a", "AABB"}, {"b", "BBB"}}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    FakeHost host;
    host.wadText = c.wad.WriteTo(dir / "x.wad");
    host.saveAnswers = {dir / "out"};
    ExtractWad(host, NativeFileSystem());
    EXPECT_EQ(FilesBelow(dir / "out"), c.files) << c.what;
  }
}

TEST(ExtractWad, AnEmptyWadCreatesNoFolderButSaysItIsDone) {
  TempDir dir;
  FakeHost host;
  host.wadText = WadBuilder().WriteTo(dir / "empty.wad");
  host.saveAnswers = {dir / "out"};
  ExtractWad(host, NativeFileSystem());
  EXPECT_FALSE(fs::exists(dir / "out"));
  EXPECT_EQ(host.progress, (std::vector<Progress>{{0, "Wad extracted in 0s"}}));
  EXPECT_EQ(host.settings.Stored("ExtractPath"), dir / "");
}

TEST(ExtractWad, RefusesANameThatWouldLandOutsideTheChosenFolderBeforeWritingAnything) {
  const char* unsafe[] = {"",           "\\absolute.txt", "/absolute.txt", "C:\\boot.ini",
                          "c:relative", "..\\up.txt",     "a\\..\\..\\up", "a/../../up",
                          ".."};
  for (const char* name : unsafe) {
    TempDir dir;
    FakeHost host;
    host.wadText = WadBuilder().Entry("fine.txt", "x").Entry(name, "evil").WriteTo(dir / "x.wad");
    host.saveAnswers = {dir / "out"};
    ExtractWad(host, NativeFileSystem());
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  std::string("Sorry but this wad holds an unsafe file name: ") + name});
    EXPECT_FALSE(fs::exists(dir / "out")) << name;
    EXPECT_FALSE(host.settings.Stored("ExtractPath")) << name;
  }
}

TEST(ExtractWad, ReplacesWhatIsAtTheDestinationAndNeverWritesThroughIt) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << testing::kNoSymbolicLinks;
  struct Case {
    const char* what;
    void (*place)(const TempDir& dir);  // puts something at out/sub/x
  };
  const Case cases[] = {
      {"a hard link to a file outside",
       [](const TempDir& dir) {
         fs::create_hard_link(dir / "outside/victim.txt", dir / "out/sub/x");
       }},
      {"a symbolic link out of the folder",
       [](const TempDir& dir) {
         fs::create_symlink(dir / "outside/victim.txt", dir / "out/sub/x");
       }},
      {"a symbolic link that leads nowhere",
       [](const TempDir& dir) { fs::create_symlink(dir / "outside/new.txt", dir / "out/sub/x"); }},
      {"a symbolic link to another file inside",
       [](const TempDir& dir) { fs::create_symlink(dir / "out/mine.txt", dir / "out/sub/x"); }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    dir.WriteFile("outside/victim.txt", "precious");
    dir.WriteFile("out/mine.txt", "mine");
    fs::create_directories(dir / "out/sub");
    c.place(dir);
    FakeHost host;
    host.wadText = WadBuilder().Entry("sub\\x", "new").WriteTo(dir / "x.wad");
    host.saveAnswers = {dir / "out"};
    ExtractWad(host, NativeFileSystem());
    EXPECT_TRUE(host.messages.empty()) << c.what;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "out/sub/x"))) << c.what;
    EXPECT_EQ(FilesBelow(dir / "out"),
              (std::map<std::string, std::string>{{"mine.txt", "mine"}, {"sub/x", "new"}}))
        << c.what;
    EXPECT_EQ(FilesBelow(dir / "outside"),
              (std::map<std::string, std::string>{{"victim.txt", "precious"}}))
        << c.what;
  }
}

TEST(ExtractWad, RefusesAFolderOnTheWayThatIsASymbolicLinkBeforeWritingAnything) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << testing::kNoSymbolicLinks;
  TempDir dir;
  fs::create_directories(dir / "outside");
  fs::create_directories(dir / "out/inner");
  fs::create_directory_symlink(dir / "outside", dir / "out/maps");
  fs::create_directory_symlink(dir / "out/inner", dir / "out/alias");
  for (const char* name : {"maps\\track.dat", "alias\\ok.txt", "alias\\deeper\\ok.txt"}) {
    FakeHost host;
    host.wadText = WadBuilder().Entry("fine.txt", "x").Entry(name, "evil").WriteTo(dir / "x.wad");
    host.saveAnswers = {dir / "out"};
    ExtractWad(host, NativeFileSystem());
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  std::string("Sorry but this wad holds an unsafe file name: ") + name});
    EXPECT_FALSE(fs::exists(dir / "out/fine.txt")) << name;
    EXPECT_TRUE(fs::is_empty(dir / "outside")) << name;
    EXPECT_TRUE(fs::is_empty(dir / "out/inner")) << name;
  }
}

TEST(ExtractWad, AFileThatFailsHalfWayLeavesTheFileItWouldReplaceAndNothingElse) {
  for (const FileStep step : {FileStep::Write, FileStep::Commit}) {
    TempDir dir;
    dir.WriteFile("out/b", "old");
    FakeHost host;
    host.wadText = WadBuilder().Entry("a", "A").Entry("b", "B").WriteTo(dir / "x.wad");
    host.saveAnswers = {dir / "out"};
    FaultyFileSystem files;
    files.FailAt(step, 2, IoFailure::DiskFull, 28);
    EXPECT_THROW(ExtractWad(host, files), IoError);
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir / "out")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"})) << static_cast<int>(step);
    EXPECT_EQ(ReadFile(dir / "out/a"), "A");
    EXPECT_EQ(ReadFile(dir / "out/b"), "old") << static_cast<int>(step);
  }
}

// Room is counted as the file system allocates it: whole blocks per file and per folder, and
// one free entry each.
TEST(ExtractWad, ChecksTheFreeSpaceForEveryEntryBeforeWritingAnything) {
  constexpr std::int32_t kGiB = 1 << 30;
  constexpr std::int64_t kMiB = 1 << 20;
  constexpr std::int64_t kAny = FreeSpace::kUnlimited;
  WadBuilder small;
  for (int i = 0; i < 600; ++i) small.Entry("f" + std::to_string(i), "x");
  struct Case {
    const char* what;
    WadBuilder wad;
    FreeSpace space;
    bool fits;
  };
  const Case cases[] = {
      {"exactly enough, the folder b counted",
       WadBuilder().Entry("a", "AAA").Entry("b\\c", "CCCC"),
       {8, 1, kAny},
       true},
      {"one byte short", WadBuilder().Entry("a", "AAA").Entry("b\\c", "CCCC"), {7, 1, kAny}, false},
      {"overlapping blocks count once per entry",
       WadBuilder().Record("a", 4, 4).Record("b", 4, 4).Record("c", 4, 4),
       {11, 1, kAny},
       false},
      {"a total past 32 bits (5 GiB, which a 32-bit sum would take for 1 GiB)",
       WadBuilder()
           .Record("a", 0, kGiB)
           .Record("b", 0, kGiB)
           .Record("c", 0, kGiB)
           .Record("d", 0, kGiB)
           .Record("e", 0, kGiB),
       {2LL * kGiB, 1, kAny},
       false},
      {"600 one-byte entries in 1 MiB of 4 KiB blocks", small, {kMiB, 4096, kAny}, false},
      {"600 one-byte entries in 3 MiB of 4 KiB blocks", small, {3 * kMiB, 4096, kAny}, true},
      {"600 one-byte entries on FAT with 32 KiB clusters", small, {16 * kMiB, 32768, kAny}, false},
      {"more files than free entries", small, {kAny, 1, 599}, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    FakeHost host;
    host.settings.values["ExtractPath"] = "earlier/";
    host.wadText = c.wad.WriteTo(dir / "x.wad");
    const WadReader reader(host.wadText, NativeFileSystem());
    const std::size_t entries = reader.Entries().size();
    fs::resize_file(host.wadText, std::max<std::uintmax_t>(fs::file_size(host.wadText), kGiB));
    host.saveAnswers = {dir / "out"};
    FaultyFileSystem files;
    files.SetFreeSpace(c.space);
    if (!c.fits) files.FailAt(FileStep::OpenWrite, 1, IoFailure::Other);  // never writes GiBs
    try {
      ExtractWad(host, files);
      EXPECT_TRUE(c.fits) << c.what;
      EXPECT_EQ(FilesBelow(dir / "out").size(), entries) << c.what;
    } catch (const IoError& error) {
      EXPECT_FALSE(c.fits) << c.what;
      EXPECT_EQ(error.Kind(), IoFailure::DiskFull) << c.what;
      EXPECT_FALSE(fs::exists(dir / "out")) << c.what;
      EXPECT_TRUE(host.progress.empty()) << c.what;
      EXPECT_EQ(host.settings.Stored("ExtractPath"), "earlier/") << c.what;
    }
  }
}

// A new wad is written whole beside the old one before it takes its place: without room for
// it, counted in blocks, nothing is written.
TEST(FreeSpace, CreationAndUpdateNeedRoomForTheWholeNewWadBeforeWriting) {
  TempDir dir;
  dir.WriteFile("mod/a.dat", std::string(5000, 'a'));
  dir.WriteFile("mod/b.dat", "b");
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(dir / "x.wad");
  const std::string before = ReadFile(wad);
  // The wad created holds 4 + 2 * 136 + 5001 bytes, the updated one 4 + 2 * 136 + 5001 too.
  const std::int64_t length = 4 + 2 * 136 + 5001;
  for (const std::int64_t free : {length - 1, length + 4095 - (length - 1) % 4096 - 1}) {
    FaultyFileSystem files;
    files.SetFreeSpace(FreeSpace{free, 4096, FreeSpace::kUnlimited});
    FakeHost create;
    create.sourceText = dir / "mod";
    create.saveAnswers = {dir / "new.wad"};
    ProgramState state;
    EXPECT_THROW(CreateWad(create, state, files), IoError) << free;
    EXPECT_FALSE(fs::exists(dir / "new.wad")) << free;
    FakeHost update;
    update.sourceText = dir / "mod";
    update.wadText = wad;
    EXPECT_THROW(RunUpdate(update, state, files), IoError) << free;
    EXPECT_EQ(ReadFile(wad), before) << free;
    EXPECT_EQ(testing::NamesIn(dir.path()), (std::vector<std::string>{"mod", "x.wad"})) << free;
  }
  FaultyFileSystem roomy;
  roomy.SetFreeSpace(FreeSpace{8192, 4096, FreeSpace::kUnlimited});
  FakeHost update;
  update.sourceText = dir / "mod";
  update.wadText = wad;
  ProgramState state;
  RunUpdate(update, state, roomy);
  EXPECT_EQ(fs::file_size(wad), static_cast<std::uintmax_t>(length));
}

TEST(ExtractWad, ABlockPastTheEndStopsBeforeItsFileAndKeepsTheFilesBefore) {
  TempDir dir;
  FakeHost host;
  host.settings.values["ExtractPath"] = "earlier/";
  host.wadText = WadBuilder()
                     .Entry("good.txt", "good")
                     .Record("bad.txt", 4 + 2 * 136, 1000)
                     .WriteTo(dir / "x.wad");
  host.saveAnswers = {dir / "out"};
  try {
    ExtractWad(host, NativeFileSystem());
    FAIL() << "the broken wad extracted";
  } catch (const IoError& error) {
    EXPECT_EQ(error.Kind(), IoFailure::ReadBeyondEnd);
  }
  EXPECT_EQ(FilesBelow(dir / "out"), (std::map<std::string, std::string>{{"good.txt", "good"}}));
  EXPECT_EQ(host.settings.Stored("ExtractPath"), "earlier/");
  EXPECT_EQ(host.StatusText(), "Extracting files : 50%");
}

TEST(ExtractWad, OpensTheWadForReadingOnlySoAReadOnlyWadExtracts) {
  TempDir dir;
  FakeHost host;
  host.wadText = WadBuilder().Entry("a.txt", "a").WriteTo(dir / "x.wad");
  host.saveAnswers = {dir / "out"};
  FaultyFileSystem files;
  ExtractWad(host, files);
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "a");
  EXPECT_EQ(files.Calls(FileStep::OpenRead), 1);   // the wad
  EXPECT_EQ(files.Calls(FileStep::OpenWrite), 1);  // the one file extracted
}

}  // namespace
}  // namespace quillmoor
