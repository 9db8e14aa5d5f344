#include <gtest/gtest.h>

#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"
#include "wad/WadDirectory.h"

namespace quillmoor {
namespace {

using testing::FaultyFileSystem;
using testing::FileStep;
using testing::TempDir;
using testing::WadBuilder;

TEST(WadReader, ReadsTheDirectoryAndEachBlockOfAWadItMayNotWrite) {
  TempDir dir;
  const std::string wad =
      WadBuilder().Entry("maps\\monza2001\\a.dat", "AAA").Entry("b", "").WriteTo(dir / "x.wad");
  FaultyFileSystem readOnly;
  readOnly.FailAt(FileStep::OpenWrite, 1, IoFailure::AccessDenied, EACCES);

  WadReader reader(wad, readOnly);
  ASSERT_EQ(reader.Entries().size(), 2u);
  EXPECT_EQ(EntryName(reader.Entries()[0]), "maps\\monza2001\\a.dat");
  std::string block = "previous";
  reader.ReadBlock(reader.Entries()[0], block);
  EXPECT_EQ(block, "AAA");
  reader.ReadBlock(reader.Entries()[1], block);
  EXPECT_EQ(block, "");
  reader.Close();
}

TEST(WadReader, RefusesABlockPastTheEndWhenItIsReadAndAHugeCountAtOnce) {
  TempDir dir;
  const std::string wad =
      WadBuilder().Entry("good", "AAA").Record("bad", 4 + 2 * 136, 1000).WriteTo(dir / "x.wad");
  WadReader reader(wad, NativeFileSystem());
  std::string block;
  reader.ReadBlock(reader.Entries()[0], block);
  EXPECT_EQ(block, "AAA");
  EXPECT_THROW(reader.ReadBlock(reader.Entries()[1], block), IoError);

  const std::string huge = WadBuilder().Count(2'000'000'000).WriteTo(dir / "huge.wad");
  EXPECT_THROW(WadReader(huge, NativeFileSystem()), IoError);
}

}  // namespace
}  // namespace quillmoor
