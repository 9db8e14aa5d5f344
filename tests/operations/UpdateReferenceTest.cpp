// The update's index and offset bookkeeping against the plain way of doing it: scan every
// entry for every source file, move every offset by hand. On many generated wads and source
// trees, both must give the same wad.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <tuple>

#include "FakeHost.h"
#include "FaultyFileSystem.h"
#include "ReferenceUpdate.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/TrackNames.h"
#include "operations/Update.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileListing.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WadBuilder;

using testing::EveryEntryReadsItsData;
using testing::PlainEntry;
using testing::PlainUpdate;
using testing::WadBytes;

// The disk without waits for it: these tests run hundreds of updates and look at bytes only.
FileSystem& FastFiles() {
  static testing::FaultyFileSystem files = [] {
    testing::FaultyFileSystem fast;
    fast.SkipSyncs();
    return fast;
  }();
  return files;
}

std::vector<PlainEntry> EntriesOf(const std::string& wad) {
  return *testing::PlainEntriesOf(testing::ReadFile(wad));
}

// How many generated cases each property test runs. Under Wine every file-system call costs
// many times what it costs on Linux, where the full count runs; the Windows run checks the
// same properties on fewer cases.
#ifdef _WIN32
constexpr unsigned kCases = 40;
#else
constexpr unsigned kCases = 400;
#endif

constexpr const char* kDamaged = "Sorry but this wad is damaged and can't be updated safely.";

// Generated wads and source trees, drawn from a few names so that they meet often.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string Pick(const std::vector<std::string>& choices) {
    return choices[Below(choices.size())];
  }
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  std::string Bytes(std::size_t most) {
    return std::string(Below(most + 1), static_cast<char>('a' + Below(26)));
  }

  std::string EntryName() {
    const std::string folder = Pick({"", "maps\\monza2001\\", "cars\\ferrari\\", "Cars\\Williams\\",
                                     "maps\\x\\race\\", "maps\\x\\Qualifying\\", "misc\\", "race\\",
                                     "cars\\race\\", "maps\\spa2001\\race\\"});
    return folder + Pick({"a.tex", "B.TEX", "c.dat", "setup.txt", "\xC9t\xE9.dat"});
  }

  std::string SourcePath() {
    return Pick({"", "Race/", "qualifying/", "Cars/ferrari/", "cars/Williams/", "x/race/y/",
                 "Qualifying/race/", "maps/monza2001/", "maps/Spa2001/race/", "monza2001/cars/",
                 "cars/race/", "mod.v2/", "racing/"}) +
           Pick({"a.tex", "b.tex", "C.DAT", "setup.txt", "new.bin", "README",
                 "\xC3\xA9t\xC3\xA9.dat"});
  }

  // Where a mod folder lies, and its own name: neither the folders above nor their names may
  // change what the update does.
  std::string FoldersAbove() {
    return Pick({"", "cars/", "race/", "qualifying/x/", "maps/monza2001/", "a.b/"});
  }
  std::string OwnName() {
    return Pick({"mod", "cars", "race", "mod.v2", "monza2001", "My Mods", "Qualifying"});
  }

  // A wad laid out as the game's are (blocks in some order, gaps, empty entries sharing the
  // next block's offset) or, now and then, any way at all.
  WadBuilder Wad(bool nowAndThenAnyWay = true) {
    const std::size_t count = Below(40);
    WadBuilder wad;
    const bool anyWay = Below(8) == 0 && nowAndThenAnyWay;
    std::int64_t at = 4 + 136 * static_cast<std::int64_t>(count);
    const std::int64_t dataStart = at;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string data = Below(3) == 0 ? std::string() : Bytes(8);
      const std::int64_t offset =
          anyWay ? dataStart + static_cast<std::int64_t>(Below(30)) : at + (Below(4) == 0 ? 2 : 0);
      wad.Record(EntryName(), static_cast<std::int32_t>(offset),
                 static_cast<std::int32_t>(data.size()));
      wad.Bytes(offset, data);
      at = offset + static_cast<std::int64_t>(data.size());
    }
    return wad;
  }

 private:
  std::mt19937 random_;
};

TEST(UpdateAgainstThePlainAlgorithm, GivesTheSameWadOnGeneratedWadsAndSources) {
  for (unsigned seed = 1; seed <= kCases; ++seed) {
    Generator generate(seed);
    TempDir dir;
    const std::string wadFile = generate.Pick(
        {"cars.wad", "monza2001.wad", "spa2001.wad", "other.wad", "CARS.WAD", "Monza2001.Wad"});
    const std::string wad = generate.Wad().WriteTo(dir / wadFile);
    const std::string original = testing::ReadFile(wad);
    const std::string ownName = generate.OwnName();
    const std::string folder = generate.FoldersAbove() + ownName;
    const std::size_t sources = generate.Below(25);
    for (std::size_t i = 0; i < sources; ++i) {
      dir.WriteFile(folder + "/" + generate.SourcePath(), generate.Bytes(12));
    }
    std::filesystem::create_directories(dir / folder);
    const bool singleFile = sources > 0 && generate.Below(6) == 0;
    std::string sourceText = dir / folder;
    if (generate.Below(2) == 0) sourceText += "/";
    std::vector<std::string> list = ListFiles(sourceText, "*.*", true, false, 63);
    if (singleFile) {
      sourceText = list.front();
      list = {sourceText};
    }
    const std::vector<PlainEntry> expected =
        PlainUpdate(EntriesOf(wad), wadFile, sourceText, ownName, list, singleFile);

    FakeHost host;
    ProgramState state;
    host.wadText = wad;
    host.sourceText = sourceText;
    RunUpdate(host, state, FastFiles());
    if (EveryEntryReadsItsData(expected)) {
      ASSERT_TRUE(host.messages.empty()) << "seed " << seed << ": " << host.messages[0];
      ASSERT_EQ(testing::ReadFile(wad), WadBytes(expected))
          << "seed " << seed << ::testing::PrintToString(expected);
    } else {
      // Overlapping blocks the change would break: refused, the wad left as it was.
      ASSERT_EQ(host.messages, std::vector<std::string>{kDamaged}) << "seed " << seed;
      ASSERT_EQ(testing::ReadFile(wad), original) << "seed " << seed;
    }
  }
}

// Blocks that overlap, in the ways a wad's can: every update of them either gives each entry
// exactly its bytes, as the plain algorithm writes them, or is refused and changes nothing.
TEST(UpdateAgainstThePlainAlgorithm, OverlappingBlocksGiveEveryEntryItsBytesOrAreRefused) {
  struct Case {
    const char* what;
    std::vector<std::tuple<std::string, std::int32_t, std::int32_t>> records;
    std::string source;  // the name of the one source file
    std::size_t sourceSize;
    bool refused;
  };
  const std::int32_t d = 4 + 3 * 136;  // where the data of three entries begins
  const std::vector<Case> cases = {
      {"a block inside another, the inner one first, grown",
       {{"m.dat", d + 100, 50}, {"x.dat", d, 200}, {"z", d + 200, 0}},
       "m.dat",
       100,
       true},
      {"a block inside another, the outer one first, grown",
       {{"x.dat", d, 200}, {"m.dat", d + 100, 50}, {"z", d + 200, 0}},
       "m.dat",
       100,
       true},
      {"two entries of one block, one replaced",
       {{"a.dat", d, 20}, {"b.dat", d, 20}, {"z", d + 20, 0}},
       "a.dat",
       20,
       true},
      {"blocks that overlap in part, the first grown",
       {{"a.dat", d, 20}, {"b.dat", d + 10, 20}, {"z", d + 30, 0}},
       "a.dat",
       25,
       true},
      {"a chain of overlaps behind a grown block",
       {{"a.dat", d, 10}, {"b.dat", d + 10, 20}, {"c.dat", d + 20, 20}},
       "a.dat",
       15,
       false},
      {"two entries of one block behind a grown one",
       {{"a.dat", d, 10}, {"b.dat", d + 10, 20}, {"c.dat", d + 10, 20}},
       "a.dat",
       30,
       false},
      {"an added entry in front of overlapping blocks",
       {{"a.dat", d, 20}, {"b.dat", d + 5, 10}, {"c.dat", d + 20, 5}},
       "new.dat",
       7,
       false},
      {"empty entries at a shared offset, one filled",
       {{"e1", d, 0}, {"e2", d, 0}, {"b.dat", d, 10}},
       "e1",
       4,
       false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WadBuilder builder;
    std::int32_t end = 0;
    for (const auto& [name, offset, size] : c.records) {
      builder.Record(name, offset, size);
      end = std::max(end, offset + size);
    }
    // Each byte tells its place, so that a block read from the wrong place shows.
    std::string bytes;
    for (std::int32_t at = d; at < end; ++at) bytes += static_cast<char>('A' + at % 26);
    builder.Bytes(d, bytes);
    const std::string wad = builder.WriteTo(dir / "x.wad");
    const std::string original = testing::ReadFile(wad);
    const std::string source = dir.WriteFile("mod/" + c.source, std::string(c.sourceSize, 'N'));
    const std::vector<PlainEntry> expected =
        PlainUpdate(EntriesOf(wad), "x.wad", source, "", {source}, true);
    ASSERT_EQ(EveryEntryReadsItsData(expected), !c.refused) << c.what;

    FakeHost host;
    ProgramState state;
    host.wadText = wad;
    host.sourceText = source;
    RunUpdate(host, state, FastFiles());
    if (c.refused) {
      EXPECT_EQ(host.messages, std::vector<std::string>{kDamaged}) << c.what;
      EXPECT_EQ(testing::ReadFile(wad), original) << c.what;
    } else {
      EXPECT_TRUE(host.messages.empty()) << c.what;
      EXPECT_EQ(testing::ReadFile(wad), WadBytes(expected)) << c.what;
    }
  }
}

// Names that no layout of a mod may add: a prefix twice, or another track's folder.
void ExpectNoDoubledPrefix(const std::string& wad, const std::string& original,
                           const std::string& track) {
  const std::vector<PlainEntry> before = EntriesOf(original);
  const std::vector<PlainEntry> after = EntriesOf(wad);
  for (auto entry = after.begin() + static_cast<std::ptrdiff_t>(before.size());
       entry != after.end(); ++entry) {
    const std::string name = LowerCase1252(entry->name);
    EXPECT_FALSE(name.starts_with("cars\\cars\\")) << wad << ": " << name;
    for (const std::string_view other : TrackNames) {
      const std::string folder = "maps\\" + std::string(other) + "\\";
      EXPECT_FALSE(name.starts_with(folder + "maps\\")) << wad << ": " << name;
      if (!track.empty() && other != track) {
        EXPECT_EQ(name.find(folder), std::string::npos) << wad << ": " << name;
      }
    }
  }
}

// One mod tree, laid out twice under different folders: its result doesn't depend on the
// folders above it or on a relative spelling, and a second run changes nothing.
TEST(UpdateOfGeneratedModTrees, DependsOnlyOnTheTreeAndIsTheSameRunTwice) {
  const std::filesystem::path before = std::filesystem::current_path();
  for (unsigned seed = 1; seed <= kCases / 4; ++seed) {
    Generator generate(seed);
    TempDir dir;
    const std::string wadFile = generate.Pick({"cars.wad", "monza2001.wad", "other.wad"});
    const std::string original = generate.Wad(false).Build();
    const std::string ownName = generate.OwnName();
    const std::string first = "one/" + generate.FoldersAbove() + ownName;
    const std::string second = "two/" + generate.FoldersAbove() + ownName;
    for (std::size_t i = generate.Below(20); i > 0; --i) {
      const std::string path = generate.SourcePath();
      const std::string bytes = generate.Bytes(12);
      dir.WriteFile(first + "/" + path, bytes);
      dir.WriteFile(second + "/" + path, bytes);
    }
    std::filesystem::create_directories(dir / first);
    std::filesystem::create_directories(dir / second);

    auto update = [](const std::string& wad, const std::string& source) {
      FakeHost host;
      ProgramState state;
      host.wadText = wad;
      host.sourceText = source;
      RunUpdate(host, state, FastFiles());
      EXPECT_TRUE(host.messages.empty()) << host.messages[0];
    };
    const std::string absoluteWad = dir.WriteFile("a/" + wadFile, original);
    const std::string relativeWad = dir.WriteFile("r/" + wadFile, original);
    update(absoluteWad, dir / first);
    std::filesystem::current_path(dir / second);
    update(relativeWad, ".");
    std::filesystem::current_path(before);
    const std::string once = testing::ReadFile(absoluteWad);
    ASSERT_EQ(testing::ReadFile(relativeWad), once) << "seed " << seed;
    update(absoluteWad, dir / first);
    ASSERT_EQ(testing::ReadFile(absoluteWad), once) << "seed " << seed << ", second run";
    ExpectNoDoubledPrefix(absoluteWad, dir.WriteFile("original.wad", original),
                          wadFile == "monza2001.wad" ? "monza2001" : "");
  }
}

// A track update of a generated mod: no file of one track's folder reaches another track's
// wad, and a second run changes none of the 17.
TEST(UpdateOfGeneratedModTrees, KeepsEachTracksFilesInItsOwnWad) {
  for (unsigned seed = 1; seed <= kCases / 32; ++seed) {
    Generator generate(seed);
    TempDir dir;
    const std::string game = dir / "game";
    for (const std::string_view track : TrackNames) {
      const std::string bytes = generate.Wad(false).Build();
      dir.WriteFile("game/" + std::string(track) + ".wad", bytes);
      dir.WriteFile("original/" + std::string(track) + ".wad", bytes);
    }
    const std::string mod = "mods/" + generate.OwnName();
    for (std::size_t i = generate.Below(20); i > 0; --i) {
      dir.WriteFile(mod + "/" + generate.SourcePath(), generate.Bytes(12));
    }
    std::filesystem::create_directories(dir / mod);
    auto updateTracks = [&] {
      FakeHost host;
      ProgramState state;
      host.gamePath = game;
      host.sourceText = dir / mod;
      state.TrackMode = true;
      RunUpdate(host, state, FastFiles());
      EXPECT_TRUE(host.messages.empty()) << host.messages[0];
    };
    updateTracks();
    std::map<std::string, std::string> once;
    for (const std::string_view track : TrackNames) {
      const std::string wad = game + "/" + std::string(track) + ".wad";
      once[wad] = testing::ReadFile(wad);
      ExpectNoDoubledPrefix(wad, dir / ("original/" + std::string(track) + ".wad"),
                            std::string(track));
    }
    updateTracks();
    for (const auto& [wad, bytes] : once) {
      ASSERT_EQ(testing::ReadFile(wad), bytes) << "seed " << seed << ", second run: " << wad;
    }
  }
}

}  // namespace
}  // namespace quillmoor
