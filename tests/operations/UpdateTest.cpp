#include "operations/Update.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <map>

#include "FakeHost.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"
#include "wad/WadDirectory.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::FaultyFileSystem;
using testing::FileStep;
using testing::Progress;
using testing::ReadFile;
using testing::TempDir;
using testing::WadBuilder;

struct UpdateRun {
  TempDir dir;
  FakeHost host;
  ProgramState state;

  void Update() { RunUpdate(host, state, NativeFileSystem()); }
  std::vector<std::string> Names(const std::string& wad) {
    std::vector<std::string> names;
    const WadReader reader(wad, NativeFileSystem());
    for (const WadDirectoryEntry& entry : reader.Entries()) {
      names.push_back(EntryName(entry));
    }
    return names;
  }
};

TEST(RunUpdate, ReplacesAndAddsAsInTheWorkedExample) {
  UpdateRun run;
  run.host.wadText = WadBuilder()
                         .Entry("A", std::string(10, 'a'))
                         .Entry("B", std::string(20, 'b'))
                         .WriteTo(run.dir / "x.wad");
  run.dir.WriteFile("mod/A", std::string(15, 'A'));
  run.dir.WriteFile("mod/C", std::string(7, 'C'));
  run.host.sourceText = run.dir / "mod";
  run.Update();

  const std::string expected =
      WadBuilder()
          .Record("A", 419, 15)
          .Record("B", 434, 20)
          .Record("c", 412, 7)
          .Bytes(412, std::string(7, 'C') + std::string(15, 'A') + std::string(20, 'b'))
          .Build();
  ASSERT_EQ(expected.size(), 454u);
  EXPECT_EQ(ReadFile(run.host.wadText), expected);
  EXPECT_EQ(run.host.progress, (std::vector<Progress>{{50, "Updating x.wad : 50%"},
                                                      {100, "Updating x.wad : 100%"},
                                                      {0, "Update done in 0s"}}));
  EXPECT_EQ(run.host.settings.Stored("WadName"), run.host.wadText);
  EXPECT_EQ(run.host.settings.Stored("FileName"), run.dir / "mod");
  EXPECT_TRUE(run.host.messages.empty());
}

TEST(RunUpdate, RefusesUnusableFieldsInOrderBeforeOpeningAnyWad) {
  struct Case {
    const char* what;
    std::string source;
    std::string wad;
    bool trackMode;
    const char* message;
  };
  TempDir dir;
  const std::string wad = WadBuilder().WriteTo(dir / "x.wad");
  const std::string file = dir.WriteFile("mod/a.tex", "a");
  const Case cases[] = {
      {"the placeholder", "...or select a file", wad, false,
       "Sorry but you have to choose source file(s) first."},
      {"an empty source", "", wad, true, "Sorry but you have to choose source file(s) first."},
      {"no game folder", file, wad, true, "Sorry but the GP4 folder was not found."},
      {"no wad", file, "", false, "Sorry but you have to choose a wad file first."},
      {"a wad text without .wad", file, dir / "x.wadx", false,
       "Sorry but you havn't selected a wad file."},
      {"a wad text ending in wad alone", file, dir / "xwad", false,
       "Sorry but you havn't selected a wad file."},
      {"a missing wad", file, dir / "missing.wad", false,
       "Sorry but you surely did a mistake in wad's pathname :)"},
      {"a folder as the wad", file, dir / "mod.wad", false,
       "Sorry but you surely did a mistake in wad's pathname :)"},
      {"a mistyped folder", dir / "mdo", wad, false,
       "Sorry but you surely did a mistake in file's pathname :)"},
      {"a mistyped folder, track update", dir / "typo", wad, true,
       "Sorry but you surely did a mistake in file's pathname :)"},
      {"a missing file", dir / "mod/b.tex", wad, false,
       "Sorry but you surely did a mistake in file's pathname :)"},
      {"a missing file without a dot", dir / "mod/README", wad, false,
       "Sorry but you surely did a mistake in file's pathname :)"},
  };
  fs::create_directories(dir / "mod.wad");
  for (const Case& c : cases) {
    FakeHost host;
    ProgramState state;
    host.sourceText = c.source;
    host.wadText = c.wad;
    host.gamePath = c.what == std::string("no game folder") ? "" : dir.path().string();
    state.TrackMode = c.trackMode;
    FaultyFileSystem files;
    RunUpdate(host, state, files);
    EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.what;
    EXPECT_FALSE(host.settings.Stored("WadName")) << c.what;
    EXPECT_FALSE(host.settings.Stored("FileName")) << c.what;
    EXPECT_EQ(files.Calls(FileStep::OpenWrite) + files.Calls(FileStep::OpenRead), 0) << c.what;
    EXPECT_FALSE(state.TrackMode) << c.what;
  }
}

TEST(RunUpdate, MatchesTheFirstEntryByTheRulesOfEachKindOfSource) {
  UpdateRun run;
  run.host.wadText = WadBuilder()
                         .Entry("maps\\x\\Track.dat", "old1")
                         .Entry("other\\track.dat", "old2")
                         .Entry("maps\\x\\race\\setup.txt", "old3")
                         .Entry("maps\\x\\qualifying\\setup.txt", "old4")
                         .Entry("cars\\ferrari\\a.tex", "old5")
                         .Entry("a.tex", "old6")
                         .WriteTo(run.dir / "x.wad");
  run.dir.WriteFile("mod/TRACK.DAT", "new1");
  run.dir.WriteFile("mod/qualifying/race/x/setup.txt", "new3b");  // race wins over qualifying
  run.dir.WriteFile("mod/Qualifying/setup.txt", "new4");
  run.dir.WriteFile("mod/Cars/Ferrari/A.tex", "new5");
  // No qualifying entry of that name: added below "qualifying\", where its mode finds it.
  run.dir.WriteFile("mod/qualifying/lonely.txt", "new7");
  run.host.sourceText = run.dir / "mod/";
  run.Update();

  WadReader wad(run.host.wadText, NativeFileSystem());
  std::map<std::string, std::string> content;
  for (const WadDirectoryEntry& entry : wad.Entries()) {
    wad.ReadBlock(entry, content[EntryName(entry)]);
  }
  EXPECT_EQ(content, (std::map<std::string, std::string>{
                         {"maps\\x\\Track.dat", "new1"},
                         {"other\\track.dat", "old2"},
                         {"maps\\x\\race\\setup.txt", "new3b"},
                         {"maps\\x\\qualifying\\setup.txt", "new4"},
                         {"cars\\ferrari\\a.tex", "new5"},
                         {"a.tex", "old6"},
                         {"qualifying\\lonely.txt", "new7"},
                     }));
}

// An added name gets the wad's prefix unless its key starts with it already, and a race or
// qualifying file keyed by its file name alone keeps that folder, so that its own mode finds
// it next time.
TEST(RunUpdate, NamesAddedEntriesByTheWadTheyGoInto) {
  struct Case {
    const char* wadFile;
    const char* source;  // below the source folder "mod"
    const char* name;
  };
  const Case cases[] = {
      {"cars.wad", "Cars/F1/A.tex", "cars\\f1\\a.tex"},
      {"CARS.WAD", "Cars/F1/A.tex", "cars\\f1\\a.tex"},
      {"Cars.WAD.wad", "Cars/F1/A.tex", "cars\\f1\\a.tex"},
      {"monza2001.wad", "Cars/F1/A.tex", "maps\\monza2001\\cars\\f1\\a.tex"},
      {"Monza2001.wad", "Cars/F1/A.tex", "cars\\f1\\a.tex"},
      {"other.wad", "Cars/F1/A.tex", "cars\\f1\\a.tex"},
      {"cars.wad", "race/x.cfg", "cars\\race\\x.cfg"},
      {"cars.wad", "Qualifying/x.cfg", "cars\\qualifying\\x.cfg"},
      {"cars.wad", "cars/race/x.cfg", "cars\\race\\x.cfg"},
      {"other.wad", "race/x.cfg", "race\\x.cfg"},
      {"monza2001.wad", "race/x.cfg", "maps\\monza2001\\race\\x.cfg"},
      {"monza2001.wad", "x.dat", "maps\\monza2001\\x.dat"},
      {"monza2001.wad", "maps/monza2001/Track.dat", "maps\\monza2001\\track.dat"},
      {"Monza2001.Wad", "maps/Monza2001/t.dat", "maps\\monza2001\\t.dat"},
  };
  for (const Case& c : cases) {
    UpdateRun run;
    run.host.wadText = WadBuilder().WriteTo(run.dir / c.wadFile);
    run.dir.WriteFile(std::string("mod/") + c.source, "a");
    run.host.sourceText = run.dir / "mod";
    run.Update();
    EXPECT_TRUE(run.host.messages.empty()) << c.wadFile << " " << c.source;
    EXPECT_EQ(run.Names(run.host.wadText), std::vector<std::string>{c.name})
        << c.wadFile << " " << c.source;
    EXPECT_EQ(ReadFile(run.host.wadText).substr(4 + 128, 4), testing::Int32Bytes(140));
  }
}

// Mod folders laid out the way people ship them land where the modder meant, and a second
// run of the same update changes nothing.
TEST(RunUpdate, PutsModsLaidOutAsPeopleShipThemWhereTheyBelongOnceAndForAll) {
  struct Case {
    const char* what;
    const char* wadFile;
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<std::string> files;  // below the test folder, each holding "new"
    const char* source;              // below the test folder
    std::map<std::string, std::string> expected;
  };
  const std::vector<Case> cases = {
      {"a folder with a dot",
       "cars.wad",
       {{"cars\\a.tex", "old"}},
       {"mod.v2/cars/a.tex"},
       "mod.v2",
       {{"cars\\a.tex", "new"}}},
      {"a file with a long extension",
       "other.wad",
       {{"logo.jpeg", "old"}},
       {"mod/logo.jpeg"},
       "mod/logo.jpeg",
       {{"logo.jpeg", "new"}}},
      {"a file without an extension",
       "other.wad",
       {{"README", "old"}},
       {"mod/README"},
       "mod/README",
       {{"README", "new"}}},
      {"a track mod below a folder named cars",
       "a1ring2001.wad",
       {{"maps\\a1ring2001\\textures\\tex001.tex", "old"}},
       {"home/cars/trackmod/maps/a1ring2001/textures/tex001.tex"},
       "home/cars/trackmod",
       {{"maps\\a1ring2001\\textures\\tex001.tex", "new"}}},
      {"a mod below a folder named race",
       "other.wad",
       {{"x.dat", "old"}},
       {"race/mod/x.dat"},
       "race/mod",
       {{"x.dat", "new"}}},
      {"an extracted cars wad with a new file",
       "cars.wad",
       {{"cars\\car_ferrari.gp4", "old"}},
       {"extracted/cars/car_ferrari.gp4", "extracted/cars/helmets/h.tex"},
       "extracted",
       {{"cars\\car_ferrari.gp4", "new"}, {"cars\\helmets\\h.tex", "new"}}},
      {"the inner cars folder of an extracted cars wad",
       "cars.wad",
       {{"cars\\car_ferrari.gp4", "old"}},
       {"extracted/cars/car_ferrari.gp4"},
       "extracted/cars",
       {{"cars\\car_ferrari.gp4", "new"}}},
      {"the cars wad extracted into a folder named cars",
       "cars.wad",
       {{"cars\\car_ferrari.gp4", "old"}},
       {"cars/cars/car_ferrari.gp4"},
       "cars",
       {{"cars\\car_ferrari.gp4", "new"}}},
      {"a track wad extracted into a folder named after it",
       "monza2001.wad",
       {{"maps\\monza2001\\track.dat", "old"}},
       {"monza2001/maps/monza2001/track.dat"},
       "monza2001",
       {{"maps\\monza2001\\track.dat", "new"}}},
      {"cars, race and qualifying files into the cars wad",
       "cars.wad",
       {{"cars\\car_ferrari.gp4", "old"}},
       {"mod/cars/helmets/h.tex", "mod/race/x.cfg", "mod/qualifying/x.cfg"},
       "mod",
       {{"cars\\car_ferrari.gp4", "old"},
        {"cars\\helmets\\h.tex", "new"},
        {"cars\\race\\x.cfg", "new"},
        {"cars\\qualifying\\x.cfg", "new"}}},
      {"another track's file in a single-wad update",
       "monza2001.wad",
       {{"maps\\monza2001\\track.dat", "old"}},
       {"trackmod/maps/spa2001/track.dat"},
       "trackmod",
       {{"maps\\monza2001\\track.dat", "old"}}},
      {"an upper-case wad name",
       "CARS.WAD",
       {{"cars\\a.tex", "old"}},
       {"mod/cars/b.tex"},
       "mod",
       {{"cars\\a.tex", "old"}, {"cars\\b.tex", "new"}}},
  };
  for (const Case& c : cases) {
    UpdateRun run;
    WadBuilder wad;
    for (const auto& [name, data] : c.entries) wad.Entry(name, data);
    run.host.wadText = wad.WriteTo(run.dir / c.wadFile);
    for (const std::string& file : c.files) run.dir.WriteFile(file, "new");
    run.host.sourceText = run.dir / c.source;
    run.Update();
    EXPECT_TRUE(run.host.messages.empty()) << c.what;
    std::map<std::string, std::string> content;
    WadReader reader(run.host.wadText, NativeFileSystem());
    for (const WadDirectoryEntry& entry : reader.Entries()) {
      reader.ReadBlock(entry, content[EntryName(entry)]);
    }
    EXPECT_EQ(content, c.expected) << c.what;
    const std::string once = ReadFile(run.host.wadText);
    run.Update();
    EXPECT_EQ(ReadFile(run.host.wadText), once) << c.what << ", second run";
  }
}

// A track's own files go into that track's wad only.
TEST(RunUpdate, ATrackUpdatePutsATracksOwnFilesIntoItsWadOnly) {
  UpdateRun run;
  const std::string game = run.dir / "game";
  for (const std::string_view track : TrackNames) {
    WadBuilder()
        .Entry("maps\\" + std::string(track) + "\\track.dat", "old")
        .WriteTo(game + "/" + std::string(track) + ".wad");
  }
  run.dir.WriteFile("trackmod/maps/monza2001/track.dat", "monza");
  run.dir.WriteFile("trackmod/maps/Spa2001/track.dat", "spa");
  run.dir.WriteFile("trackmod/sky.tex", "sky");
  run.host.sourceText = run.dir / "trackmod";
  run.host.gamePath = game;
  run.state.TrackMode = true;
  run.Update();
  for (const std::string_view track : TrackNames) {
    const std::string folder = "maps\\" + std::string(track) + "\\";
    const std::string own = track == "monza2001" ? "monza" : track == "spa2001" ? "spa" : "old";
    WadReader reader(game + "/" + std::string(track) + ".wad", NativeFileSystem());
    std::map<std::string, std::string> content;
    for (const WadDirectoryEntry& entry : reader.Entries()) {
      reader.ReadBlock(entry, content[EntryName(entry)]);
    }
    EXPECT_EQ(content, (std::map<std::string, std::string>{{folder + "track.dat", own},
                                                           {folder + "sky.tex", "sky"}}))
        << track;
  }
}

TEST(RunUpdate, UpdatesAllSeventeenTrackWadsOfTheGameFolder) {
  UpdateRun run;
  const std::string game = run.dir / "game";
  for (const std::string_view track : TrackNames) {
    WadBuilder wad;
    if (track == "spa2001") wad.Entry("maps\\spa2001\\x.dat", "old");
    wad.WriteTo(game + "/" + std::string(track) + ".wad");
  }
  run.dir.WriteFile("mod/x.dat", "new");
  run.dir.WriteFile("mod/y.dat", "yy");
  run.host.sourceText = run.dir / "mod";
  run.host.wadText = "ignored.wad";
  run.host.gamePath = game;
  run.state.TrackMode = true;
  run.Update();

  for (const std::string_view track : TrackNames) {
    const std::string prefix = "maps\\" + std::string(track) + "\\";
    // spa2001's x.dat is replaced where it stands; everywhere else both are added.
    EXPECT_EQ(run.Names(game + "/" + std::string(track) + ".wad"),
              (std::vector<std::string>{prefix + "x.dat", prefix + "y.dat"}))
        << track;
  }
  EXPECT_FALSE(run.state.TrackMode);
  EXPECT_FALSE(run.host.settings.Stored("WadName"));
  EXPECT_EQ(run.host.settings.Stored("FileName"), run.dir / "mod");
  // Each wad's texts, and a bar that moves once from 0 to 100 over the whole run.
  const std::vector<Progress>& progress = run.host.progress;
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress[0], (Progress{1, "Updating a1ring2001.wad : 50%"}));
  EXPECT_EQ(progress[1], (Progress{2, "Updating a1ring2001.wad : 100%"}));
  EXPECT_EQ(progress[progress.size() - 2], (Progress{100, "Updating suzuka2001.wad : 100%"}));
  for (std::size_t i = 1; i + 1 < progress.size(); ++i) {
    EXPECT_GE(progress[i].position, progress[i - 1].position) << progress[i].text;
  }
  EXPECT_EQ(progress.back(), (Progress{0, "Update done in 0s"}));
}

TEST(RunUpdate, AnEmptySourceFolderStillRewritesTheWadAndFinishes) {
  UpdateRun run;
  const std::string wad = WadBuilder().Entry("a", "AA").Build() + "trailing";
  run.host.wadText = run.dir.WriteFile("x.wad", wad);
  fs::create_directories(run.dir / "empty");
  run.host.sourceText = run.dir / "empty";
  run.Update();
  EXPECT_EQ(ReadFile(run.host.wadText), WadBuilder().Entry("a", "AA").Build());
  EXPECT_EQ(run.host.progress, (std::vector<Progress>{{0, "Update done in 0s"}}));
}

TEST(RunUpdate, ReplacingAnEmptyEntryMovesTheBlockThatSharedItsOffset) {
  UpdateRun run;
  run.host.wadText =
      WadBuilder().Entry("empty.txt", "").Entry("next.dat", "NEXT").WriteTo(run.dir / "x.wad");
  run.host.sourceText = run.dir.WriteFile("mod/empty.txt", "FULL!");
  run.Update();
  EXPECT_EQ(ReadFile(run.host.wadText),
            WadBuilder().Entry("empty.txt", "FULL!").Entry("next.dat", "NEXT").Build());
}

TEST(RunUpdate, RefusesWhatAWadCannotHoldAndLeavesTheWadAsItWas) {
  struct Case {
    const char* what;
    std::string wad;
    std::string sourceName;
    std::string message;
  };
  const std::string longName = std::string(100, 'd') + "/" + std::string(40, 'f') + ".dat";
  const Case cases[] = {
      {"a name longer than the field", WadBuilder().Entry("a", "A").Build(), "cars/" + longName,
       "Sorry but this file name is too long for a wad: cars\\" + std::string(100, 'd') + "\\" +
           std::string(40, 'f') + ".dat"},
      {"a wad past two gigabytes", WadBuilder().Record("far", 2'147'483'600, 0).Build(), "new.dat",
       "Sorry but the wad would be larger than 2 GB."},
      {"a name the code page cannot spell", WadBuilder().Entry("a", "A").Build(),
       "\xE6\x97\xA5.dat", "Sorry but this file name can't be stored in a wad: "},
  };
  for (const Case& c : cases) {
    UpdateRun run;
    run.host.wadText = run.dir.WriteFile("x.wad", c.wad);
    const std::string source = run.dir.WriteFile("mod/" + c.sourceName, "data");
    run.host.sourceText = run.dir / "mod";
    run.Update();
    const std::string message = c.message.ends_with(": ") ? c.message + source : c.message;
    EXPECT_EQ(run.host.messages, std::vector<std::string>{message}) << c.what;
    EXPECT_EQ(ReadFile(run.host.wadText), c.wad) << c.what;
  }
}

TEST(RunUpdate, PutsSeveralSourcesInInTheirOrderEachByItsOwnRulesWithOneChangeOfTheWad) {
  UpdateRun run;
  const std::string before = WadBuilder()
                                 .Entry("cars\\ferrari\\a.tex", "a")
                                 .Entry("data\\b.tex", "b")
                                 .Entry("maps\\spa2001\\c.dat", "c")
                                 .Build();
  run.host.wadText = run.dir.WriteFile("spa2001.wad", before);
  // A folder named cars keys by its own name, the track's folder by the track, a single file
  // by its name; the later of two sources of one key wins.
  const std::string carsFile = run.dir.WriteFile("one/cars/ferrari/a.tex", "A1");
  const std::string looseFile = run.dir.WriteFile("loose/b.tex", "B1");
  const std::string trackFile = run.dir.WriteFile("two/spa2001/c.dat", "C1");
  const std::string laterFile = run.dir.WriteFile("three/B.TEX", "B2");
  run.host.sourceTexts = {run.dir / "one/cars", looseFile, run.dir / "two", run.dir / "three"};
  run.Update();

  EXPECT_TRUE(run.host.messages.empty()) << run.host.messages.front();
  EXPECT_EQ(ReadFile(run.host.wadText), WadBuilder()
                                            .Entry("cars\\ferrari\\a.tex", "A1")
                                            .Entry("data\\b.tex", "B2")
                                            .Entry("maps\\spa2001\\c.dat", "C1")
                                            .Build());
  // One load and one commit: one pass of the progress over all the sources, and the backup
  // is the wad from before the run.
  EXPECT_EQ(run.host.progress, (std::vector<Progress>{{25, "Updating spa2001.wad : 25%"},
                                                      {50, "Updating spa2001.wad : 50%"},
                                                      {75, "Updating spa2001.wad : 75%"},
                                                      {100, "Updating spa2001.wad : 100%"},
                                                      {0, "Update done in 0s"}}));
  EXPECT_EQ(ReadFile(run.host.wadText + ".bak"), before);
  EXPECT_EQ(run.state.SourceList,
            (std::vector<std::string>{carsFile, looseFile, trackFile, laterFile}));
  EXPECT_EQ(run.host.settings.Stored("FileName"), run.dir / "one/cars");
}

TEST(RunUpdate, OneRefusedSourceAmongSeveralRefusesTheWholeRunBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::string folder;  // the refused source, below the test's folder; none: the empty text
    std::string file;    // a file made in it, which the message names
    std::string message;
  };
  const Case cases[] = {
      {"a missing source", "missing", "",
       "Sorry but you surely did a mistake in file's pathname :)"},
      {"an empty source", "", "", "Sorry but you have to choose source file(s) first."},
      {"a name the code page cannot spell", "odd", "\xE6\x97\xA5.dat",
       "Sorry but this file name can't be stored in a wad: "},
  };
  for (const Case& c : cases) {
    UpdateRun run;
    const std::string before = WadBuilder().Entry("a.dat", "a").Build();
    run.host.wadText = run.dir.WriteFile("x.wad", before);
    const std::string good = run.dir.WriteFile("mod/a.dat", "A");
    const std::string inside =
        c.file.empty() ? "" : run.dir.WriteFile(c.folder + "/" + c.file, "B");
    run.host.sourceTexts = {run.dir / "mod", good, c.folder.empty() ? "" : run.dir / c.folder};
    run.Update();
    EXPECT_EQ(run.host.messages, std::vector<std::string>{c.message + inside}) << c.what;
    EXPECT_EQ(ReadFile(run.host.wadText), before) << c.what;
    EXPECT_FALSE(fs::exists(run.host.wadText + ".bak")) << c.what;
    EXPECT_TRUE(run.host.settings.values.empty()) << c.what;
  }
}

TEST(RunUpdate, ASingleSourceFileBelowCarsIsKeyedFromItsLastCarsFolder) {
  UpdateRun run;
  run.host.wadText =
      WadBuilder().Entry("cars\\ferrari\\a.tex", "old").WriteTo(run.dir / "cars.wad");
  run.host.sourceText = run.dir.WriteFile("mods/cars/old/Cars/ferrari/a.tex", "new");
  run.Update();
  EXPECT_EQ(run.Names(run.host.wadText), std::vector<std::string>{"cars\\ferrari\\a.tex"});
  EXPECT_EQ(ReadFile(run.host.wadText), WadBuilder().Entry("cars\\ferrari\\a.tex", "new").Build());
}

TEST(RunUpdate, AnInputOutputErrorEndsTheRunWithTrackModeOffAndTheWadUntouched) {
  UpdateRun run;
  const std::string wad = WadBuilder().Entry("a.dat", "old").Build();
  run.host.wadText = run.dir.WriteFile("x.wad", wad);
  run.host.sourceText = run.dir.WriteFile("mod/a.dat", "new");
  for (const FileStep step : {FileStep::OpenWrite, FileStep::Write}) {
    FaultyFileSystem files;
    files.FailAt(step, 1, IoFailure::AccessDenied, EACCES);
    run.state.TrackMode = false;
    EXPECT_THROW(RunUpdate(run.host, run.state, files), IoError);
    EXPECT_EQ(ReadFile(run.host.wadText), wad);
    EXPECT_FALSE(run.state.TrackMode);
  }
}

TEST(RunUpdate, RefusesALayoutItCannotRewriteSafelyAlsoInADryRunAndLeavesTheWad) {
  struct Case {
    const char* what;
    std::string wad;
    std::string source;
  };
  const Case cases[] = {
      {"a block inside the directory", WadBuilder().Record("a", 0, 140).Build(), "new.dat"},
      {"a block that would move before the start of the file",
       WadBuilder()
           .Record("a.dat", 276, 1000)
           .Record("b", 280, 4)
           .Bytes(276, std::string(1000, 'A'))
           .Build(),
       "a.dat"},
      {"a block that would move into the directory",
       WadBuilder()
           .Record("a.dat", 276, 200)
           .Record("b", 300, 4)
           .Bytes(276, std::string(200, 'A'))
           .Build(),
       "a.dat"},
  };
  for (const Case& c : cases) {
    for (const bool dryRun : {false, true}) {
      UpdateRun run;
      run.host.wadText = run.dir.WriteFile("x.wad", c.wad);
      run.host.sourceText = run.dir.WriteFile("mod/" + c.source, "");
      UpdateOptions options;
      options.dryRun = dryRun;
      RunUpdate(run.host, run.state, NativeFileSystem(), options);
      EXPECT_EQ(
          run.host.messages,
          std::vector<std::string>{"Sorry but this wad is damaged and can't be updated safely."})
          << c.what << (dryRun ? ", dry run" : "");
      EXPECT_EQ(ReadFile(run.host.wadText), c.wad) << c.what;
      EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), {}), 2) << c.what;
    }
  }
}

TEST(RunUpdate, WaitsForAnotherRunOnTheWadAndRefusesWhenItTakesTooLong) {
  UpdateRun run;
  const std::string wad = WadBuilder().Entry("a.dat", "old").Build();
  run.host.wadText = run.dir.WriteFile("x.wad", wad);
  run.host.sourceText = run.dir.WriteFile("mod/a.dat", "new");
  const std::unique_ptr<File> otherRun =
      NativeFileSystem().OpenExclusive(run.host.wadText, std::chrono::milliseconds(0));
  UpdateOptions options;
  options.lockWait = std::chrono::milliseconds(100);
  RunUpdate(run.host, run.state, NativeFileSystem(), options);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{
                "Sorry but another run is still changing this wad, try again when it is done: " +
                run.host.wadText});
  EXPECT_EQ(ReadFile(run.host.wadText), wad);
}

// The 17 track wads of a game folder, each with one entry.
std::map<std::string, std::string> TrackWads(const std::string& game) {
  std::map<std::string, std::string> wads;
  for (const std::string_view track : TrackNames) {
    const std::string path = game + "/" + std::string(track) + ".wad";
    WadBuilder().Entry("maps\\" + std::string(track) + "\\x.dat", "old").WriteTo(path);
    wads[path] = ReadFile(path);
  }
  return wads;
}

TEST(RunUpdate, ATrackUpdateChangesAllSeventeenWadsOrNone) {
  UpdateRun run;
  const std::string game = run.dir / "game";
  const std::map<std::string, std::string> before = TrackWads(game);
  run.host.gamePath = game;
  auto unchanged = [&](const char* what) {
    for (const auto& [path, bytes] : before) EXPECT_EQ(ReadFile(path), bytes) << what << path;
    EXPECT_EQ(std::distance(fs::directory_iterator(game), {}), 17) << what;
  };

  // A name that fits below "maps\a1ring2001\" but not below a longer track's folder.
  const std::string key(kNameSize - std::string("maps\\a1ring2001\\").size(), 'k');
  run.dir.WriteFile("long/" + key, "new");
  run.host.sourceText = run.dir / "long";
  run.state.TrackMode = true;
  run.Update();
  ASSERT_EQ(run.host.messages.size(), 1u);
  EXPECT_TRUE(run.host.messages[0].starts_with("Sorry but this file name is too long for a wad: "));
  unchanged("a name too long for one track");

  // A failure while the ninth wad is written, when the first eight are written already.
  run.host.sourceText = run.dir.WriteFile("mod/x.dat", "new");
  FaultyFileSystem files;
  files.FailAt(FileStep::Flush, 9, IoFailure::DiskFull, ENOSPC);
  run.state.TrackMode = true;
  EXPECT_THROW(RunUpdate(run.host, run.state, files), IoError);
  unchanged("a failure on the ninth wad");
}

#ifndef _WIN32
// An access control list as the kernel stores it: version 2, then tag, permissions and id of
// each entry, sorted by tag: the owner rw, user 65534 r, the group r, the mask r, others none.
std::string AccessControlList() {
  std::string bytes;
  auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(2, 4);
  const std::uint32_t undefined = 0xFFFFFFFF;
  const std::uint32_t entries[][3] = {{0x01, 6, undefined},
                                      {0x02, 4, 65534},
                                      {0x04, 4, undefined},
                                      {0x10, 4, undefined},
                                      {0x20, 0, undefined}};
  for (const auto& entry : entries) {
    put(entry[0], 2);
    put(entry[1], 2);
    put(entry[2], 4);
  }
  return bytes;
}
#endif

// Who may read and write a wad is kept with it: its access control list and its other
// extended attributes go to the new version.
TEST(RunUpdate, KeepsTheAccessControlListAndExtendedAttributesOfTheWad) {
#ifdef _WIN32
  GTEST_SKIP() << "extended attributes and POSIX access control lists are POSIX's";
#else
  UpdateRun run;
  run.host.wadText = WadBuilder().Entry("a.dat", "old").WriteTo(run.dir / "x.wad");
  const std::string acl = AccessControlList();
  const std::string note = "modded by me";
  if (::setxattr(run.host.wadText.c_str(), "user.note", note.data(), note.size(), 0) != 0 ||
      ::setxattr(run.host.wadText.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) !=
          0) {
    GTEST_SKIP() << "this file system keeps no extended attributes or access control lists";
  }
  run.host.sourceText = run.dir.WriteFile("mod/a.dat", "new");
  run.Update();
  ASSERT_EQ(ReadFile(run.host.wadText), WadBuilder().Entry("a.dat", "new").Build());
  auto attribute = [&](const char* name) {
    std::string value(256, '\0');
    const ssize_t size = ::getxattr(run.host.wadText.c_str(), name, value.data(), value.size());
    return size < 0 ? std::string("(none)") : value.substr(0, static_cast<std::size_t>(size));
  };
  EXPECT_EQ(attribute("user.note"), note);
  EXPECT_EQ(attribute("system.posix_acl_access"), acl);
#endif
}

TEST(RunUpdate, KeepsTheOwnerAndGroupOfTheWad) {
#ifdef _WIN32
  GTEST_SKIP() << "owners and groups of files are POSIX's";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "giving a wad to another user needs root";
  UpdateRun run;
  run.host.wadText = WadBuilder().Entry("a.dat", "old").WriteTo(run.dir / "x.wad");
  ASSERT_EQ(::chown(run.host.wadText.c_str(), 65534, 65534), 0);
  run.host.sourceText = run.dir.WriteFile("mod/a.dat", "new");
  run.Update();
  struct stat status {};
  ASSERT_EQ(::stat(run.host.wadText.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 65534u);
  EXPECT_EQ(status.st_gid, 65534u);
  EXPECT_EQ(ReadFile(run.host.wadText), WadBuilder().Entry("a.dat", "new").Build());
#endif
}

}  // namespace
}  // namespace quillmoor
