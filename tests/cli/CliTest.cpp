#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "TempDir.h"
#include "WadBuilder.h"
#include "cli/PrintableText.h"
#include "io/FileSystem.h"
#include "operations/TrackNames.h"

namespace quillmoor {
namespace {

using testing::TempDir;
using testing::WadBuilder;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunCommand(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, {out, err}, NativeFileSystem());
  return {status, out.str(), err.str()};
}

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
  EXPECT_TRUE(outcome.out.starts_with("Wad extracted in ")) << outcome.out;
  EXPECT_EQ(outcome.err, "");
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

TEST(CliUpdate, ReplacesAndAddsOrOnlySaysWhatItWouldDo) {
  TempDir dir;
  const std::string before = WadBuilder().Entry("A", "aaaa").Entry("B", "bb").Build();
  const std::string wad = dir.WriteFile("x.wad", before);
  dir.WriteFile("mod/a", "AAAAAA");
  dir.WriteFile("mod/c", "CCC");

  const Outcome dryRun = RunCommand({"update", "--dry-run", wad, dir / "mod"});
  EXPECT_EQ(dryRun.status, kExitSuccess) << dryRun.err;
  EXPECT_TRUE(dryRun.out.starts_with("replace A 4 -> 6\nadd c 3\nUpdate done in ")) << dryRun.out;
  EXPECT_EQ(testing::ReadFile(wad), before);

  const Outcome update = RunCommand({"update", wad, dir / "mod"});
  EXPECT_EQ(update.status, kExitSuccess) << update.err;
  EXPECT_TRUE(update.out.starts_with("Update done in ")) << update.out;
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
      outcome.out.starts_with("add maps\\a1ring2001\\x.dat 1\nadd maps\\barcelona2001\\x.dat 1\n"))
      << outcome.out;

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
  EXPECT_TRUE(outcome.out.starts_with("Wad created in ")) << outcome.out;
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

  dir.WriteFile("mod/new\x01line", "N");
  const Outcome dryRun = RunCommand({"update", "--dry-run", wad, dir / "mod"});
  EXPECT_TRUE(dryRun.out.starts_with("add new\\x01line 1\n")) << dryRun.out;
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

TEST(Cli, AnswersHelpAndVersionAndRefusesWrongUsage) {
  EXPECT_EQ(RunCommand({"--version"}).out, "Quillmoor 2.9\n");
  const Outcome help = RunCommand({"--help"});
  EXPECT_EQ(help.status, kExitSuccess);
  EXPECT_NE(help.out.find("list WAD"), std::string::npos);

  const std::vector<std::vector<std::string>> wrong = {{},
                                                       {"lsit", "x.wad"},
                                                       {"list"},
                                                       {"list", "a.wad", "b.wad"},
                                                       {"extract", "x.wad"},
                                                       {"create", "src"}};
  for (const auto& args : wrong) {
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, kExitUsage);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace quillmoor
