#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include "CliOutcome.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "cli/PrintableText.h"
#include "io/FileSystem.h"
#include "operations/TrackNames.h"

namespace quillmoor {
namespace {

using testing::TempDir;
using testing::WadBuilder;

using testing::Outcome;
using testing::RunCommand;

TEST(CliList, PrintsTheDirectoryAsStoredWithTheCodePageSpelledInUtf8) {
  TempDir dir;
  const std::string name128(128, 'n');
  const std::string wad = WadBuilder()
                              .Entry("cars\\f\xE9lix.tex", "AAAA")
                              .Entry(name128, "")
                              .Record("maps\\spa2001\\far.dat", 9000, 0)
                              .Entry("b", "BB")
                              .WriteTo(dir / "x.wad");
  const Outcome outcome = RunCommand({"list", wad});
  EXPECT_EQ(outcome.status, kExitSuccess);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out,
            "548\t4\tcars\\f\xC3\xA9lix.tex\n"
            "552\t0\t" +
                name128 +
                "\n"
                "9000\t0\tmaps\\spa2001\\far.dat\n"
                "552\t2\tb\n");
}

TEST(CliList, ReportsABrokenOrMissingWadOnStderrAndPrintsNothing) {
  TempDir dir;
  struct Case {
    std::string wad;
    const char* err;
  };
  const Case cases[] = {
      {WadBuilder()
           .Entry("a", "AAAA")
           .Entry("b", "BB")
           .TruncateTo(4 + 2 * 136 + 5)
           .WriteTo(dir / "truncated.wad"),
       "Lecture au-delà de la fin de fichier.\n"},
      {WadBuilder().Count(2'000'000'000).Entry("a", "x").WriteTo(dir / "huge.wad"),
       "Lecture au-delà de la fin de fichier.\n"},
      {dir / "missing.wad", "Fichier introuvable.\n"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = RunCommand({"list", c.wad});
    EXPECT_EQ(outcome.status, kExitFailure) << c.wad;
    EXPECT_EQ(outcome.out, "") << c.wad;
    EXPECT_EQ(outcome.err, c.err) << c.wad;
  }
}

TEST(CliExtract, WritesTheFilesIntoTheFolderAndPrintsTheCompletionText) {
  TempDir dir;
  const std::string wad =
      WadBuilder().Entry("maps\\spa2001\\a.dat", "AAA").Entry("b.txt", "B").WriteTo(dir / "x.wad");
  const Outcome outcome = RunCommand({"extract", wad, dir / "out"});
  EXPECT_EQ(outcome.status, kExitSuccess);
  EXPECT_EQ(outcome.out, "");
  EXPECT_TRUE(outcome.err.starts_with("Wad extracted in ")) << outcome.err;
  EXPECT_EQ(testing::ReadFile(dir / "out/maps/spa2001/a.dat"), "AAA");
  EXPECT_EQ(testing::ReadFile(dir / "out/b.txt"), "B");
}

TEST(CliExtract, RefusesAnUnsafeNameOrAMissingWadWithNothingWritten) {
  TempDir dir;
  const std::string wad = WadBuilder().Entry("..\\escape.txt", "x").WriteTo(dir / "x.wad");
  const Outcome unsafe = RunCommand({"extract", wad, dir / "out"});
  EXPECT_EQ(unsafe.status, kExitFailure);
  EXPECT_EQ(unsafe.out, "");
  EXPECT_EQ(unsafe.err, "Sorry but this wad holds an unsafe file name: ..\\escape.txt\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
  EXPECT_FALSE(std::filesystem::exists(dir / "escape.txt"));

  const Outcome missing = RunCommand({"extract", dir / "none.wad", dir / "out"});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_EQ(missing.err, "Sorry but you have to choose a wad file first.\n");
}

// A wad of four entries in two folders, for the pattern and -O tests.
std::string FourEntryWad(const TempDir& dir, const std::string& name) {
  return WadBuilder()
      .Entry("maps\\spa2001\\a.dat", "A")
      .Entry("maps\\spa2001\\b.tex", "BB")
      .Entry("cars\\F1.tex", "CCC")
      .Entry("readme.txt", "DDDD")
      .WriteTo(dir / name);
}

TEST(CliExtract, TakesOnlyTheEntriesThePatternsName) {
  struct Case {
    std::vector<std::string> patterns;
    std::map<std::string, std::string> files;
    int status;
    std::string err;  // behind the completion text
  };
  const Case cases[] = {
      {{},
       {{"maps/spa2001/a.dat", "A"},
        {"maps/spa2001/b.tex", "BB"},
        {"cars/F1.tex", "CCC"},
        {"readme.txt", "DDDD"}},
       kExitSuccess,
       ""},
      {{"*.TEX"}, {{"maps/spa2001/b.tex", "BB"}, {"cars/F1.tex", "CCC"}}, kExitSuccess, ""},
      {{"maps"}, {{"maps/spa2001/a.dat", "A"}, {"maps/spa2001/b.tex", "BB"}}, kExitSuccess, ""},
      {{"cars/f1.tex", "maps\\spa2001\\?.dat"},
       {{"cars/F1.tex", "CCC"}, {"maps/spa2001/a.dat", "A"}},
       kExitSuccess,
       ""},
      {{"readme.txt", "nothing*"},
       {{"readme.txt", "DDDD"}},
       kExitFailure,
       "quillmoor-cli: nothing*: not in the wad\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string wad = FourEntryWad(dir, "x.wad");
    std::vector<std::string> args = {"extract", wad, dir / "out"};
    args.insert(args.end(), c.patterns.begin(), c.patterns.end());
    const Outcome outcome = RunCommand(args);
    const std::string label = c.patterns.empty() ? "(none)" : c.patterns[0];
    EXPECT_EQ(outcome.status, c.status) << label;
    EXPECT_EQ(outcome.out, "") << label;
    EXPECT_TRUE(outcome.err.starts_with("Wad extracted in ")) << outcome.err;
    EXPECT_EQ(outcome.err.substr(outcome.err.find('\n') + 1), c.err) << label;
    EXPECT_EQ(testing::FilesBelow(dir / "out"), c.files) << label;
  }
}

TEST(CliExtract, GoesBesideTheWadUnderItsNameWithoutFolderAndChecksOnlyWhatItWrites) {
  TempDir dir;
  const std::string wad = FourEntryWad(dir, "Spa.WAD");
  const Outcome outcome = RunCommand({"extract", wad});
  EXPECT_EQ(outcome.status, kExitSuccess) << outcome.err;
  EXPECT_EQ(testing::FilesBelow(dir / "Spa").size(), 4u);

  // A name that would leave the folder stops only an extraction that would write it.
  const std::string unsafe =
      WadBuilder().Entry("..\\escape.txt", "x").Entry("ok.txt", "ok").WriteTo(dir / "u.wad");
  EXPECT_EQ(RunCommand({"extract", unsafe, dir / "u", "ok.txt"}).status, kExitSuccess);
  EXPECT_EQ(testing::FilesBelow(dir / "u"), (std::map<std::string, std::string>{{"ok.txt", "ok"}}));
  const Outcome refused = RunCommand({"extract", unsafe, dir / "v", "*"});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_FALSE(std::filesystem::exists(dir / "v"));
}

TEST(CliExtract, WritesTheEntriesBytesToStandardOutputOrNothingWhenOneIsBroken) {
  TempDir dir;
  const std::string wad = FourEntryWad(dir, "x.wad");
  const std::string broken = WadBuilder()
                                 .Entry("good.txt", "GOOD")
                                 .Record("past-the-end.txt", 4 + 2 * 136, 100)
                                 .WriteTo(dir / "broken.wad");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"-O", wad, "cars\\f1.tex"}, kExitSuccess, "CCC", ""},
      {{"-O", wad}, kExitSuccess, "ABBCCCDDDD", ""},
      {{wad, "-", "*.tex"}, kExitSuccess, "BBCCC", ""},
      {{"--to-stdout", "-v", wad, "*.dat", "readme*"},
       kExitSuccess,
       "ADDDD",
       "maps\\spa2001\\a.dat\nreadme.txt\n"},
      {{"-O", wad, "none"}, kExitFailure, "", "quillmoor-cli: none: not in the wad\n"},
      {{"-O", broken}, kExitFailure, "", "Lecture au-del\xC3\xA0 de la fin de fichier.\n"},
      {{"-O", broken, "good.txt"}, kExitSuccess, "GOOD", ""},
      {{"-O", dir / "none.wad"},
       kExitFailure,
       "",
       "Sorry but you have to choose a wad file first.\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"extract"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, c.status) << c.args.back();
    EXPECT_EQ(outcome.out, c.out) << c.args.back();
    EXPECT_EQ(outcome.err, c.err) << c.args.back();
  }
  EXPECT_EQ(testing::NamesIn(dir.path()), (std::vector<std::string>{"broken.wad", "x.wad"}));
}

TEST(CliOptions, EndsOptionsAtDoubleDashTakesValuesBothWaysAndQuietsOrTellsMore) {
  TempDir dir;
  const std::string wad = FourEntryWad(dir, "x.wad");
  // Behind "--" a word that starts with '-' is a wad's name, and so is "--help".
  const Outcome dashed = RunCommand({"list", "--", "-x.wad"});
  EXPECT_EQ(dashed.status, kExitFailure);
  EXPECT_EQ(dashed.err, "Fichier introuvable.\n");
  EXPECT_EQ(RunCommand({"list", "--", "--help"}).err, "Fichier introuvable.\n");

  for (const std::string_view track : TrackNames) {
    WadBuilder().WriteTo(dir / ("game/" + std::string(track) + ".wad"));
  }
  const std::string source = dir.WriteFile("mod/x.dat", "X");
  const Outcome joined =
      RunCommand({"update-tracks", "--dry-run", "--game-folder=" + dir / "game", source});
  EXPECT_EQ(joined.status, kExitSuccess) << joined.err;
  EXPECT_TRUE(joined.out.starts_with(dir / "game/a1ring2001.wad:\n")) << joined.out;

  const Outcome quiet = RunCommand({"extract", "-q", wad, dir / "q"});
  EXPECT_EQ(quiet.status, kExitSuccess);
  EXPECT_EQ(quiet.out + quiet.err, "");
  const Outcome verbose = RunCommand({"extract", "--verbose", wad, dir / "v", "*.tex"});
  EXPECT_EQ(verbose.status, kExitSuccess);
  EXPECT_TRUE(verbose.err.starts_with("maps\\spa2001\\b.tex\ncars\\F1.tex\nWad extracted in "))
      << verbose.err;
  const Outcome both = RunCommand({"extract", "-qv", wad, dir / "qv", "readme.txt"});
  EXPECT_EQ(both.err, "readme.txt\n");
  const Outcome quietUpdate = RunCommand({"update", "-q", wad, source});
  EXPECT_EQ(quietUpdate.status, kExitSuccess) << quietUpdate.err;
  EXPECT_EQ(quietUpdate.out + quietUpdate.err, "");
}

TEST(CliUpdate, ReplacesAndAddsOrOnlySaysWhatItWouldDo) {
  TempDir dir;
  const std::string before = WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build();
  const std::string wad = dir.WriteFile("x.wad", before);
  dir.WriteFile("mod/a", "AAAAAA");
  dir.WriteFile("mod/c", "CCC");

  const Outcome dryRun = RunCommand({"update", "--dry-run", wad, dir / "mod"});
  EXPECT_EQ(dryRun.status, kExitSuccess) << dryRun.err;
  EXPECT_EQ(dryRun.out, wad +
                            ":\nreplace A 4 -> 6 (key a, plain: the first entry of that file "
                            "name)\nadd c 3 (key c, plain: no entry of that file name)\n");
  EXPECT_TRUE(dryRun.err.starts_with("Update done in ")) << dryRun.err;
  EXPECT_EQ(testing::ReadFile(wad), before);

  const Outcome update = RunCommand({"update", "-v", wad, dir / "mod"});
  EXPECT_EQ(update.status, kExitSuccess) << update.err;
  EXPECT_EQ(update.out, "");
  EXPECT_TRUE(update.err.starts_with(
      wad +
      ":\nreplace A 4 -> 6 (key a, plain: the first entry of that file name)\nadd c 3 "
      "(key c, plain: no entry of that file name)\nUpdate done in "))
      << update.err;
  EXPECT_EQ(testing::ReadFile(wad), WadBuilder()
                                        .Record("A", 4 + 3 * 136 + 3, 6)
                                        .Record("B", 4 + 3 * 136 + 9, 2)
                                        .Record("c", 4 + 3 * 136, 3)
                                        .Bytes(4 + 3 * 136, "CCCAAAAAAbb")
                                        .Build());

  const Outcome refused = RunCommand({"update", dir / "x.txt", dir / "mod"});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_EQ(refused.err, "Sorry but you havn't selected a wad file.\n");
}

TEST(CliUpdate, TakesSeveralSourcesInOneRunOrNoneWhenOneIsMissing) {
  TempDir dir;
  const std::string before = WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build();
  const std::string wad = dir.WriteFile("x.wad", before);
  dir.WriteFile("mod/a", "AAAAAA");
  const std::string single = dir.WriteFile("c", "CCC");

  const Outcome missing = RunCommand({"update", wad, dir / "mod", dir / "typo", single});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_EQ(missing.err, "Sorry but you surely did a mistake in file's pathname :)\n");
  EXPECT_EQ(testing::NamesIn(dir.path()), (std::vector<std::string>{"c", "mod", "x.wad"}));

  // Behind "--" a source may start with a dash, as a glob in a folder of such files gives.
  const std::string dashed = dir.WriteFile("-b", "BBB");
  const Outcome update = RunCommand({"update", "-v", wad, "--", dir / "mod", single, dashed});
  EXPECT_EQ(update.status, kExitSuccess) << update.err;
  EXPECT_TRUE(update.err.starts_with(wad +
                                     ":\nreplace A 4 -> 6 (key a, plain: the first entry of that "
                                     "file name)\nadd c 3 (key c, plain: no entry of that file "
                                     "name)\nadd -b 3 (key -b, plain: no entry of that file "
                                     "name)\nUpdate done in "))
      << update.err;
  EXPECT_EQ(testing::ReadFile(wad + ".bak"), before);
}

TEST(CliUpdate, TheDryRunMarksUnchangedExactlyTheWadsThatTheRunLeavesAsTheyAre) {
  struct Case {
    const char* what;
    std::string wad;
    const char* source;  // the file mod/a's bytes
    bool unchanged;
  };
  const Case cases[] = {
      {"the same bytes again", WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build(), "aaaa",
       true},
      {"other bytes of the same size", WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build(),
       "abcd", false},
      {"a new size", WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build(), "aaaaa", false},
      // A rewrite drops what lies behind the last block and zeros what lies between blocks.
      {"the same bytes in a wad with bytes behind its blocks",
       WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Bytes(4 + 2 * 136 + 6, "tail").Build(),
       "aaaa", false},
      {"the same bytes in a wad with zeros between its blocks",
       WadBuilder()
           .Record("A", 4 + 2 * 136, 4)
           .Record("B", 4 + 2 * 136 + 8, 2)
           .Bytes(4 + 2 * 136, std::string("aaaa\0\0\0\0bb", 10))
           .Build(),
       "aaaa", true},
      {"the same bytes in a wad with other bytes between its blocks",
       WadBuilder()
           .Record("A", 4 + 2 * 136, 4)
           .Record("B", 4 + 2 * 136 + 8, 2)
           .Bytes(4 + 2 * 136, "aaaaXXXXbb")
           .Build(),
       "aaaa", false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string wad = dir.WriteFile("x.wad", c.wad);
    dir.WriteFile("mod/a", c.source);
    const Outcome dryRun = RunCommand({"update", "--dry-run", wad, dir / "mod"});
    EXPECT_EQ(dryRun.status, kExitSuccess) << c.what << ": " << dryRun.err;
    EXPECT_EQ(dryRun.out.starts_with(wad + ": unchanged\nreplace A 4 -> "), c.unchanged)
        << c.what << ": " << dryRun.out;
    EXPECT_EQ(testing::ReadFile(wad), c.wad) << c.what;
    // The run itself says the same, and changes the wad's bytes exactly when it says so.
    const Outcome update = RunCommand({"update", "-v", wad, dir / "mod"});
    EXPECT_EQ(update.status, kExitSuccess) << c.what << ": " << update.err;
    EXPECT_TRUE(update.err.starts_with(dryRun.out)) << c.what << ": " << update.err;
    EXPECT_EQ(testing::ReadFile(wad) == c.wad, c.unchanged) << c.what;
  }
}

TEST(CliUpdate, UpdatesTheTrackWadsOfTheGameFolderNamed) {
  TempDir dir;
  for (const std::string_view track : TrackNames) {
    WadBuilder().WriteTo(dir / ("game/" + std::string(track) + ".wad"));
  }
  const std::string source = dir.WriteFile("mod/x.dat", "X");
  const Outcome outcome =
      RunCommand({"update-tracks", source, "--game-folder", dir / "game", "--dry-run"});
  EXPECT_EQ(outcome.status, kExitSuccess) << outcome.err;
  EXPECT_TRUE(
      outcome.out.starts_with(dir / "game/a1ring2001.wad:\nadd maps\\a1ring2001\\x.dat 1 (key "
                                    "x.dat, plain: no entry of that file name)\n\n" +
                              dir / "game/barcelona2001.wad:\nadd maps\\barcelona2001\\x.dat 1 "
                                    "(key x.dat, plain: no entry of that file name)\n\n"))
      << outcome.out;
  std::size_t headings = 0;
  for (std::size_t at = outcome.out.find(".wad:\n"); at != std::string::npos;
       at = outcome.out.find(".wad:\n", at + 1)) {
    ++headings;
  }
  EXPECT_EQ(headings, 17u) << outcome.out;

  const Outcome update = RunCommand({"update-tracks", source, "--game-folder", dir / "game"});
  EXPECT_EQ(update.status, kExitSuccess) << update.err;
  EXPECT_EQ(testing::ReadFile(dir / "game/suzuka2001.wad"),
            WadBuilder().Entry("maps\\suzuka2001\\x.dat", "X").Build());
}

TEST(CliCreate, PacksTheFolderIntoTheWadNamed) {
  TempDir dir;
  dir.WriteFile("src/maps/a.dat", "AAA");
  dir.WriteFile("src/b.txt", "B");
  const Outcome outcome = RunCommand({"create", dir / "src", dir / "new.wad"});
  EXPECT_EQ(outcome.status, kExitSuccess) << outcome.err;
  EXPECT_TRUE(outcome.err.starts_with("Wad created in ")) << outcome.err;
  EXPECT_EQ(testing::ReadFile(dir / "new.wad"),
            WadBuilder().Entry("b.txt", "B").Entry("maps\\a.dat", "AAA").Build());

  const Outcome refused = RunCommand({"create", dir / "src/b.txt", dir / "other.wad"});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_EQ(refused.err, "Sorry but you have to choose a source folder first.\n");
}

TEST(CliPrinting, WritesTheControlCharactersOfNamesAsHexEscapes) {
  TempDir dir;
  const std::string wad = WadBuilder()
                              .Entry("line\nforged\t0\tx", "")
                              .Entry("\x1b[2Jclear\x07", "")
                              .Entry("del\x7f c1\x9d f\xE9lix", "")
                              .WriteTo(dir / "x.wad");
  const Outcome list = RunCommand({"list", wad});
  EXPECT_EQ(list.out,
            "412\t0\tline\\x0Aforged\\x090\\x09x\n"
            "412\t0\t\\x1B[2Jclear\\x07\n"
            "412\t0\tdel\\x7F c1\\x9D f\xC3\xA9lix\n");

  const std::string unsafe =
      WadBuilder().Entry("..\\\x1b]0;title\x07", "x").WriteTo(dir / "unsafe.wad");
  const Outcome refused = RunCommand({"extract", unsafe, dir / "out"});
  EXPECT_EQ(refused.err, "Sorry but this wad holds an unsafe file name: ..\\\\x1B]0;title\\x07\n");

  // Windows allows no control character in a file name.
#ifndef _WIN32
  dir.WriteFile("mod/new\x01line", "N");
  const Outcome dryRun = RunCommand({"update", "--dry-run", wad, dir / "mod"});
  EXPECT_EQ(dryRun.out,
            wad + ":\nadd new\\x01line 1 (key new\\x01line, plain: no entry of that file name)\n");
#endif
}

TEST(CliPrinting, EscapesEveryControlCharacterAndEveryByteThatIsNoUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain \xC3\xA9 \xE2\x82\xAC", "plain \xC3\xA9 \xE2\x82\xAC"},
      {std::string("\x00\x1f\x20", 3), "\\x00\\x1F "},
      {"\x7f\xC2\x80\xC2\x9F\xC2\xA0", "\\x7F\\x80\\x9F\xC2\xA0"},
      {"\xff\xC3 \xE2\x82", "\\xFF\\xC3 \\xE2\\x82"},
  };
  for (const auto& [text, printed] : cases) EXPECT_EQ(PrintableText(text), printed) << printed;
}

TEST(CliUndo, PutsBackThePreviousVersionAndRedoesOrRefuses) {
  TempDir dir;
  const std::string old = WadBuilder().Entry("a.txt", "old").Build();
  const std::string wad = dir.WriteFile("cars.wad", old);
  dir.WriteFile("mod/a.txt", "new");
  ASSERT_EQ(RunCommand({"update", wad, dir / "mod"}).status, kExitSuccess);
  const std::string updated = testing::ReadFile(wad);

  const Outcome undo = RunCommand({"undo", wad});
  EXPECT_EQ(undo.status, kExitSuccess) << undo.err;
  EXPECT_TRUE(undo.err.starts_with("Undo done in ")) << undo.err;
  EXPECT_EQ(testing::ReadFile(wad), old);
  EXPECT_EQ(RunCommand({"undo", wad}).status, kExitSuccess);
  EXPECT_EQ(testing::ReadFile(wad), updated);

  const std::string other = dir.WriteFile("other.wad", old);
  ASSERT_EQ(RunCommand({"update", "--no-backup", other, dir / "mod"}).status, kExitSuccess);
  const Outcome refused = RunCommand({"undo", other});
  EXPECT_EQ(refused.status, kExitFailure);
  EXPECT_EQ(refused.err,
            "Sorry but there is no previous version of this wad to put back: " + other + "\n");
}

TEST(CliUndo, PutsBackTheTrackWadsOfTheGameFolderNamed) {
  TempDir dir;
  for (const std::string_view track : TrackNames) {
    WadBuilder().WriteTo(dir / ("game/" + std::string(track) + ".wad"));
  }
  const std::string source = dir.WriteFile("mod/x.dat", "X");
  ASSERT_EQ(RunCommand({"update-tracks", source, "--game-folder", dir / "game"}).status,
            kExitSuccess);
  const Outcome undo = RunCommand({"undo-tracks", "--game-folder", dir / "game"});
  EXPECT_EQ(undo.status, kExitSuccess) << undo.err;
  EXPECT_EQ(testing::ReadFile(dir / "game/suzuka2001.wad"), WadBuilder().Build());
}

TEST(Cli, AnswersHelpAndVersion) {
  EXPECT_EQ(RunCommand({"--version"}).out, "Quillmoor 2.9\n");
  const Outcome help = RunCommand({"--help"});
  EXPECT_EQ(help.status, kExitSuccess);
  EXPECT_NE(help.out.find("list WAD"), std::string::npos);

  // COMMAND --help, wherever the option stands, gives that command's usage and runs nothing.
  TempDir dir;
  const std::vector<std::pair<std::vector<std::string>, std::string>> commandHelps = {
      {{"list", "--help"}, "Usage: quillmoor-cli list WAD\n"},
      {{"extract", "-h"}, "Usage: quillmoor-cli extract [-q] [-v] WAD [FOLDER] [PATTERN...]\n"},
      {{"create", dir / "src", dir / "new.wad", "--help"},
       "Usage: quillmoor-cli create [-q] [--no-backup] FOLDER WAD\n"},
      {{"update", "--help", "x.wad"},
       "Usage: quillmoor-cli update [-q] [-v] [--dry-run] [--no-backup] WAD SOURCE...\n"},
      {{"undo", "x.wad", "--help"}, "Usage: quillmoor-cli undo [-q] WAD\n"},
      {{"undo-tracks", "--nonsense", "--help"},
       "Usage: quillmoor-cli undo-tracks [-q] [--game-folder=DIR]\n"},
      {{"test", "--help"}, "Usage: quillmoor-cli test WAD\n"},
      {{"diff", "a.wad", "-h"}, "Usage: quillmoor-cli diff WAD OTHER\n"},
      {{"update-tracks", "--help"},
       "Usage: quillmoor-cli update-tracks [-q] [-v] [--dry-run] [--no-backup] "
       "[--game-folder=DIR] SOURCE...\n"},
  };
  for (const auto& [args, usage] : commandHelps) {
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, kExitSuccess) << args[0];
    EXPECT_TRUE(outcome.out.starts_with(usage)) << outcome.out;
    EXPECT_EQ(outcome.out.find("Commands:"), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.err, "") << args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "new.wad"));
}

TEST(Cli, RefusesWrongUsageWithOneLineAndAPointerToTheHelp) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
      {{}, "no command given"},
      {{"lsit", "x.wad"}, "unknown command 'lsit'"},
      {{"lsit", "--help"}, "unknown command 'lsit'"},
      {{"list"}, "list takes one WAD"},
      {{"list", "a.wad", "b.wad"}, "list takes one WAD"},
      {{"list", "--force", "a.wad"}, "unknown option '--force' for list"},
      {{"extract"}, "extract takes a WAD"},
      {{"extract", "x.pak"}, "extract needs a FOLDER for a wad whose name doesn't end in .wad"},
      {{"extract", "-qx", "x.wad"}, "unknown option '-x' for extract"},
      {{"test", "a.wad", "b.wad"}, "test takes one WAD"},
      {{"diff", "a.wad"}, "diff takes a WAD and a WAD or FOLDER"},
      {{"create", "src"}, "create takes a FOLDER and a WAD"},
      {{"update", "x.wad", "src", "--force"}, "unknown option '--force' for update"},
      {{"update", "x.wad", "src", "--game-folder", "g"},
       "unknown option '--game-folder' for update"},
      {{"update", "--dry-run=yes", "x.wad", "src"}, "option '--dry-run' takes no value"},
      {{"update-tracks", "src", "--game-folder"}, "--game-folder needs a DIR"},
      {{"update", "x.wad"}, "update takes a WAD and at least one SOURCE"},
      {{"update-tracks", "--game-folder=g", "--"}, "update-tracks takes at least one SOURCE"},
  };
  for (const auto& [args, problem] : wrong) {
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, kExitUsage) << problem;
    EXPECT_EQ(outcome.out, "") << problem;
    EXPECT_EQ(outcome.err, "quillmoor-cli: " + problem + "\nTry 'quillmoor-cli --help'.\n");
  }
}

TEST(Cli, WritesTheProgressOnlyWhenItsTextChanges) {
  TempDir dir;
  WadBuilder builder;
  for (int i = 0; i < 250; ++i) builder.Entry("f" + std::to_string(i), "x");
  const std::string wad = builder.WriteTo(dir / "x.wad");
  std::ostringstream out;
  std::ostringstream err;
  std::ostringstream progress;
  ASSERT_EQ(RunCli(std::vector<std::string>{"extract", wad, dir / "out"}, {out, err, &progress},
                   NativeFileSystem()),
            kExitSuccess)
      << err.str();

  std::vector<std::string> written;
  std::istringstream lines(progress.str());
  for (std::string line; std::getline(lines, line, '\r');) {
    if (!line.empty()) written.push_back(line);
  }
  ASSERT_GE(written.size(), 2u);
  EXPECT_EQ(written.front(), "Extracting files : 0%\x1b[K");
  EXPECT_EQ(written.back(), "\x1b[K");
  for (std::size_t i = 1; i < written.size(); ++i) {
    EXPECT_NE(written[i], written[i - 1]) << "written twice in a row: " << written[i];
  }
}

}  // namespace
}  // namespace quillmoor
