// test WAD and diff WAD OTHER through the command line.
#include <gtest/gtest.h>

#include "CliOutcome.h"
#include "TempDir.h"
#include "WadBuilder.h"

namespace quillmoor {
namespace {

using testing::Outcome;
using testing::RunCommand;
using testing::TempDir;
using testing::WadBuilder;

constexpr std::int32_t kTwoEntryData = 4 + 2 * 136;

TEST(CliTestCommand, TellsWhatIsWrongOrUnusualAndWhetherTheWadIsSound) {
  struct Case {
    const char* label;
    WadBuilder wad;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {"sound", WadBuilder().Entry("cars\\a.tex", "AAA").Entry("b", "BB"), kExitSuccess,
       "2 entries, 5 bytes, 0 gaps, 0 overlaps, 0 duplicate names, 0 names Windows can't hold: "
       "sound\n"},
      {"gaps before, between and behind the blocks",
       WadBuilder()
           .Record("a", kTwoEntryData + 5, 3)
           .Record("b", kTwoEntryData + 10, 2)
           .Bytes(kTwoEntryData, std::string(16, 'x')),
       kExitSuccess,
       "gap: 5 bytes at 276\ngap: 2 bytes at 284\ngap: 4 bytes at 288\n"
       "2 entries, 5 bytes, 3 gaps, 0 overlaps, 0 duplicate names, 0 names Windows can't hold: "
       "sound\n"},
      {"overlap and duplicate",
       WadBuilder()
           .Record("x", kTwoEntryData, 4)
           .Record("X", kTwoEntryData + 2, 4)
           .Bytes(kTwoEntryData, "abcdef"),
       kExitSuccess,
       "duplicate name: X (entries 1 and 2)\noverlap: X starts inside x\n"
       "2 entries, 8 bytes, 0 gaps, 1 overlaps, 1 duplicate names, 0 names Windows can't hold: "
       "sound\n"},
      {"damaged",
       WadBuilder()
           .Record("past", kTwoEntryData + 2, 100)
           .Record("a:b", 4, 2)
           .Bytes(kTwoEntryData, "abcd"),
       kExitFailure,
       "block outside the file: past (offset 278, size 100)\n"
       "block over the directory: a:b (offset 4, size 2)\n"
       "name Windows can't hold: a:b\n"
       "gap: 4 bytes at 276\n"
       "2 entries, 2 bytes, 1 gaps, 0 overlaps, 0 duplicate names, 1 names Windows can't hold: "
       "damaged\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const Outcome outcome = RunCommand({"test", c.wad.WriteTo(dir / "x.wad")});
    EXPECT_EQ(outcome.status, c.status) << c.label;
    EXPECT_EQ(outcome.out, c.out) << c.label;
    EXPECT_EQ(outcome.err, "") << c.label;
  }

  const Outcome unreadable =
      RunCommand({"test", WadBuilder().Entry("a", "A").TruncateTo(100).WriteTo(dir / "short.wad")});
  EXPECT_EQ(unreadable.status, kExitFailure);
  EXPECT_EQ(unreadable.out, "");
  EXPECT_EQ(unreadable.err, "Lecture au-del\xC3\xA0 de la fin de fichier.\n");
}

TEST(CliDiff, PrintsTheEntriesOnlyInOneOrDifferentAndExitsAsDiffDoes) {
  TempDir dir;
  const std::string a = WadBuilder()
                            .Entry("same", "s")
                            .Entry("grown", "gg")
                            .Entry("edited", "abc")
                            .Entry("gone", "x")
                            .Entry("twice", "t")
                            .Entry("twice", "t")
                            .WriteTo(dir / "a.wad");
  const std::string b = WadBuilder()
                            .Entry("SAME", "s")
                            .Entry("grown", "ggg")
                            .Entry("edited", "abd")
                            .Entry("twice", "t")
                            .Entry("new", "n")
                            .WriteTo(dir / "b.wad");
  dir.WriteFile("folder/same", "s");
  dir.WriteFile("folder/sub/new", "n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{a, a}, kExitSuccess, "", ""},
      {{a, b},
       kExitFailure,
       "size differs: grown 2 -> 3\nbytes differ: edited\nonly in " + a + ": gone\nonly in " + a +
           ": twice\nonly in " + b + ": new\n",
       ""},
      {{b, dir / "folder"},
       kExitFailure,
       "only in " + b + ": grown\nonly in " + b + ": edited\nonly in " + b + ": twice\nonly in " +
           b + ": new\nonly in " + dir / "folder" + ": sub\\new\n",
       ""},
      {{a, dir / "missing.wad"}, kExitTrouble, "", "Fichier introuvable.\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"diff"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = RunCommand(args);
    EXPECT_EQ(outcome.status, c.status) << c.args.back();
    EXPECT_EQ(outcome.out, c.out) << c.args.back();
    EXPECT_EQ(outcome.err, c.err) << c.args.back();
  }
}

TEST(CliDiff, ShowsWhatAnUpdateDidAndFindsAnExtractionTheSame) {
  TempDir dir;
  const std::string wad =
      WadBuilder().Entry("data\\a.tex", "old").Entry("b.tex", "b").WriteTo(dir / "spa.wad");
  dir.WriteFile("mod/a.tex", "new");
  dir.WriteFile("mod/c.tex", "c");
  ASSERT_EQ(RunCommand({"update", "-q", wad, dir / "mod"}).status, kExitSuccess);
  const Outcome changes = RunCommand({"diff", wad + ".bak", wad});
  EXPECT_EQ(changes.status, kExitFailure);
  EXPECT_EQ(changes.out, "bytes differ: data\\a.tex\nonly in " + wad + ": c.tex\n");

  ASSERT_EQ(RunCommand({"extract", "-q", wad}).status, kExitSuccess);
  const Outcome same = RunCommand({"diff", wad, dir / "spa"});
  EXPECT_EQ(same.status, kExitSuccess) << same.out << same.err;
  EXPECT_EQ(same.out, "");
}

}  // namespace
}  // namespace quillmoor
