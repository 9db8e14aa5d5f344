#include "paths/EntryNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"

namespace quillmoor {
namespace {

TEST(EntryNamesTest, EntryTextAndNativePathSpellEachOther) {
  struct Case {
    std::string entryText;
    std::string nativePath;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"cars.tex", "cars.tex"},
      {"maps\\tracks\\monza.dat", "maps/tracks/monza.dat"},
      {"\\lead\\trail\\", "/lead/trail/"},
      {"pit\\N\xFCrburgring\\\x80.txt", "pit/Nürburgring/€.txt"},
      {"\x8A\\\x9F", "Š/Ÿ"},
  };
  for (const Case& c : cases) {
    const std::string nativePath = testing::WithNativeSeparators(c.nativePath);
    SCOPED_TRACE(nativePath);
    EXPECT_EQ(NativePathFromEntryText(c.entryText), nativePath);
    EXPECT_EQ(EntryTextFromNativePath(nativePath), c.entryText);
  }
}

TEST(EntryNamesTest, RefusesPathsTheCodePageCannotSpell) {
  EXPECT_EQ(EntryTextFromNativePath("maps/日本.dat"), std::nullopt);
  EXPECT_EQ(EntryTextFromNativePath("maps/\xC3"), std::nullopt);
}

}  // namespace
}  // namespace quillmoor
