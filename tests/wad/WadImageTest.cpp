#include "wad/WadImage.h"

#include <gtest/gtest.h>
#include <signal.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <filesystem>

#include "FaultyFileSystem.h"
#include "SymbolicLinks.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"

namespace quillmoor {
namespace {

using testing::FaultyFileSystem;
using testing::FileStep;
using testing::Int32Bytes;
using testing::ReadFile;
using testing::TempDir;
using testing::WadBuilder;

void Load(WadImage& image, const std::string& wad) {
  LoadWad(image, NativeFileSystem().OpenForReadingAndWriting(wad), wad);
}

std::string Rebuilt(const std::string& wadBytes) {
  TempDir dir;
  const std::string source = dir.WriteFile("in.wad", wadBytes);
  WadImage image;
  Load(image, source);
  EXPECT_TRUE(RebuildWad(image, dir / "out.wad", image.Count, NativeFileSystem()));
  return ReadFile(dir / "out.wad");
}

IoFailure LoadFailure(const std::string& wadBytes, WadImage& image) {
  TempDir dir;
  try {
    Load(image, dir.WriteFile("in.wad", wadBytes));
  } catch (const IoError& error) {
    return error.Kind();
  }
  ADD_FAILURE() << "the wad loaded";
  return IoFailure::Other;
}

TEST(WadRoundTrip, KeepsEveryByteThatBelongsToTheCountTheDirectoryOrABlock) {
  struct Case {
    const char* what;
    std::string wad;
    std::string rebuilt;
  };
  const std::string name128(128, 'n');
  const std::string sound = WadBuilder().Entry("maps\\a.dat", "AAAA").Entry("b", "BB").Build();
  const std::string outOfOrder =
      WadBuilder().Record("first", 280, 3).Record("second", 276, 4).Bytes(276, "2222111").Build();
  const std::string withGap = WadBuilder().Record("a", 150, 2).Bytes(140, "garbage!!!xy").Build();
  std::string gapAsZeros = withGap;
  gapAsZeros.replace(140, 10, std::string(10, '\0'));
  const Case cases[] = {
      {"an empty wad is four zero bytes", Int32Bytes(0), std::string(4, '\0')},
      {"gap-free blocks in directory order", sound, sound},
      {"a 128-byte name without NUL", WadBuilder().Entry(name128, "x").Build(),
       WadBuilder().Entry(name128, "x").Build()},
      {"an empty entry keeps its offset",
       WadBuilder().Entry("empty", "").Entry("full", "data").Build(),
       WadBuilder().Entry("empty", "").Entry("full", "data").Build()},
      {"blocks out of directory order", outOfOrder, outOfOrder},
      {"a gap comes back as zeros", withGap, gapAsZeros},
      {"bytes behind the last block are dropped", sound + "tail", sound},
  };
  for (const Case& c : cases) EXPECT_EQ(Rebuilt(c.wad), c.rebuilt) << c.what;
}

TEST(LoadWad, FillsTheImageWithCountDirectoryAndData) {
  TempDir dir;
  const std::string name128(128, 'n');
  const std::string wad = WadBuilder()
                              .Entry("cars\\a.tex", "AAAA")
                              .Entry(name128, "")
                              .Entry("b", "BB")
                              .WriteTo(dir / "x.wad");
  WadImage image;
  Load(image, wad);

  ASSERT_EQ(image.Count, 3);
  ASSERT_EQ(image.Entries.size(), 3u);
  EXPECT_EQ(EntryName(image.Entries[0]), "cars\\a.tex");
  EXPECT_EQ(EntryName(image.Entries[1]), name128);
  EXPECT_EQ(image.Entries[0].Offset, 4 + 3 * 136);
  EXPECT_EQ(image.Entries[1].Offset, 4 + 3 * 136 + 4);
  EXPECT_EQ(image.Entries[1].Size, 0);
  // The data stays in the wad, held open, until it is written.
  ASSERT_NE(image.Loaded, nullptr);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::get<LoadedRange>(image.Data[i]).position, image.Entries[i].Offset);
  }
}

TEST(LoadWad, RefusesADirectoryOrBlockThatCannotBeRightAndKeepsTheImage) {
  struct Case {
    const char* what;
    std::string wad;
  };
  const Case cases[] = {
      {"shorter than the count", "\1\0"},
      {"shorter than the directory", WadBuilder().Entry("a", "x").Build().substr(0, 100)},
      {"a block past the end", WadBuilder().Entry("a", "xyz").TruncateTo(4 + 136 + 2).Build()},
      {"a negative count", WadBuilder().Count(-1).Build()},
      {"a count of two billion", WadBuilder().Count(2'000'000'000).Entry("a", "x").Build()},
      {"a negative offset", WadBuilder().Record("a", -4, 2).Build()},
      {"a negative size", WadBuilder().Record("a", 4, -2).Build()},
      {"a block ending past two gigabytes",
       WadBuilder().Record("a", 2'000'000'000, 2'000'000'000).Build()},
  };
  for (const Case& c : cases) {
    WadImage image;
    image.Count = 1;
    image.Entries.resize(1);
    image.Data = {"kept"};
    EXPECT_EQ(LoadFailure(c.wad, image), IoFailure::ReadBeyondEnd) << c.what;
    EXPECT_EQ(std::get<std::string>(image.Data.at(0)), "kept") << c.what;
  }
}

TEST(LoadWad, AcceptsAnEmptyEntryAnywhereInsideOrBehindTheFile) {
  WadImage image;
  TempDir dir;
  Load(image, WadBuilder().Record("empty", 1'000'000, 0).WriteTo(dir / "x.wad"));
  EXPECT_EQ(image.Entries[0].Offset, 1'000'000);
  EXPECT_EQ(image.Entries[0].Size, 0);
}

WadImage ImageOf(std::vector<std::tuple<std::string, std::int32_t, std::string>> entries) {
  WadImage image;
  for (auto& [name, offset, data] : entries) {
    WadDirectoryEntry entry{};
    SetEntryName(entry, name);
    entry.Offset = offset;
    entry.Size = static_cast<std::int32_t>(data.size());
    image.Entries.push_back(entry);
    image.Data.push_back(data);
  }
  image.Count = static_cast<std::int32_t>(image.Entries.size());
  return image;
}

std::string Written(const WadImage& image, std::int32_t n) {
  TempDir dir;
  EXPECT_TRUE(RebuildWad(image, dir / "out.wad", n, NativeFileSystem()));
  return ReadFile(dir / "out.wad");
}

TEST(RebuildWad, WritesEachBlockAtItsOwnOffsetTheLaterWinningWhereTheyOverlap) {
  const WadImage image = ImageOf({{"a", 276, "AAAA"}, {"b", 278, "BBBB"}});
  const std::string wad = Written(image, 2);
  ASSERT_EQ(wad.size(), 282u);
  EXPECT_EQ(wad.substr(276), "AABBBB");
  EXPECT_EQ(wad.substr(0, 4), Int32Bytes(2));
}

TEST(RebuildWad, WritesOnlyTheFirstNRecordsAndBlocks) {
  const WadImage image = ImageOf({{"a", 140, "AA"}, {"b", 142, "BBB"}});
  EXPECT_EQ(Written(image, 1), WadBuilder().Entry("a", "AA").Build());
  EXPECT_EQ(Written(image, 0), Int32Bytes(0));
}

TEST(RebuildWad, ReadsTheDirectoryBackAndKeepsTheOldWadWhenABlockOverwroteIt) {
  struct Case {
    const char* what;
    WadImage image;
  };
  Case cases[] = {
      {"a block over the count", ImageOf({{"a", 0, "\7"}})},
      {"a block over a record's offset", ImageOf({{"a", 4 + 128, "\xFF\xFF"}})},
      {"a block over the second record", ImageOf({{"a", 300, "AA"}, {"b", 150, "name"}})},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string old = WadBuilder().Entry("old", "old data").Build();
    const std::string target = dir.WriteFile("x.wad", old);
    EXPECT_FALSE(RebuildWad(c.image, target, c.image.Count, NativeFileSystem())) << c.what;
    EXPECT_EQ(ReadFile(target), old) << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << c.what;
  }
}

TEST(RebuildWad, AFailureAtAnyStepLeavesTheOldWadAsItWasAndNoOtherFile) {
  TempDir dir;
  const std::string old = WadBuilder().Entry("old", "old data").Build();
  const std::string target = dir.WriteFile("cars.wad", old);
  const WadImage image = ImageOf({{"a", 276, "AAAA"}, {"b", 280, "BBBB"}});
  const std::pair<FileStep, int> steps[] = {{FileStep::OpenWrite, 1},
                                            {FileStep::Write, 1},
                                            {FileStep::Write, 3},
                                            {FileStep::OpenWrite, 2},
                                            {FileStep::Rename, 1}};
  for (const auto& [step, occurrence] : steps) {
    FaultyFileSystem faults;
    faults.FailAt(step, occurrence, IoFailure::DiskFull, ENOSPC);
    EXPECT_THROW((void)RebuildWad(image, target, 2, faults), IoError);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

TEST(RebuildWad, CopiesDataLeftInFilesAndFailsWhenAFileHoldsLessThanItsRange) {
  TempDir dir;
  WadImage image = ImageOf({{"a", 140, "AAAA"}});
  image.Data[0] = FileRange{dir.WriteFile("source.bin", "..data.."), 2};
  EXPECT_TRUE(RebuildWad(image, dir / "x.wad", 1, NativeFileSystem()));
  EXPECT_EQ(ReadFile(dir / "x.wad"), WadBuilder().Entry("a", "data").Build());

  image.Data[0] = FileRange{dir / "source.bin", 6};
  try {
    (void)RebuildWad(image, dir / "x.wad", 1, NativeFileSystem());
    FAIL() << "a short source was copied";
  } catch (const IoError& error) {
    EXPECT_EQ(error.Kind(), IoFailure::ReadBeyondEnd);
  }
  EXPECT_EQ(ReadFile(dir / "x.wad"), WadBuilder().Entry("a", "data").Build());
}

TEST(RebuildWad, ADiskThatFillsUpLeavesTheOldWadAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit (RLIMIT_FSIZE) to stand in for a full disk";
#else
  TempDir dir;
  const std::string old = WadBuilder().Entry("old", "old data").Build();
  const std::string target = dir.WriteFile("cars.wad", old);
  const WadImage image = ImageOf({{"big", 140, std::string(1 << 20, 'x')}});

  // A file-size limit makes the kernel refuse the write as it refuses one on a full disk.
  const sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit small{64 * 1024, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  IoFailure failure = IoFailure::Other;
  try {
    (void)RebuildWad(image, target, 1, NativeFileSystem());
  } catch (const IoError& error) {
    failure = error.Kind();
  }
  setrlimit(RLIMIT_FSIZE, &limit);
  signal(SIGXFSZ, previous);

  EXPECT_EQ(failure, IoFailure::DiskFull);
  EXPECT_EQ(ReadFile(target), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
#endif
}

TEST(RebuildWad, KeepsThePermissionBitsAndReplacesWhatASymbolicLinkLeadsTo) {
  if (!testing::CanMakeSymbolicLinks()) GTEST_SKIP() << testing::kNoSymbolicLinks;
  namespace fs = std::filesystem;
  TempDir dir;
  const std::string real = dir.WriteFile("game/cars.wad", "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::string link = dir / "link.wad";
  fs::create_symlink(real, link);

  EXPECT_TRUE(RebuildWad(ImageOf({{"a", 140, "AA"}}), link, 1, NativeFileSystem()));

  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), WadBuilder().Entry("a", "AA").Build());
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "game"), {}), 1);
}

}  // namespace
}  // namespace quillmoor
