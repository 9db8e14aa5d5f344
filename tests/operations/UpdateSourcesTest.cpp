#include "operations/UpdateSources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"

namespace quillmoor {
namespace {

struct Prepared {
  MatchMode mode;
  bool underCars;
  std::string key;  // in the game's code page
  bool operator==(const Prepared&) const = default;
};

std::vector<Prepared> Keys(const PreparedSources& prepared) {
  std::vector<Prepared> keys;
  for (const UpdateSource& source : prepared.sources) {
    keys.push_back({source.mode, source.underCars, source.matchKey});
  }
  return keys;
}

// Only the part of a path that becomes a key or an entry name has to be spelt in the game's
// code page: a source folder, or the folders above a single file, may have any name.
TEST(PrepareSources, KeysComeFromThePartBelowTheSourceFolderWhateverItsName) {
  const auto native = testing::WithNativeSeparators;
  for (const std::string& folder : {native("/home/Рус/mod"), native("/home/Рус/mod/")}) {
    SCOPED_TRACE(folder);
    const PreparedSources prepared =
        PrepareSources(folder,
                       {native("/home/Рус/mod/Cars/Ferrari/A.tex"),
                        native("/home/Рус/mod/race/b.dat"), native("/home/Рус/mod/Café/Été.txt")},
                       false);
    EXPECT_FALSE(prepared.unspellable);
    EXPECT_EQ(Keys(prepared), (std::vector<Prepared>{
                                  {MatchMode::Plain, true, "cars\\ferrari\\a.tex"},
                                  {MatchMode::Race, false, "b.dat"},
                                  {MatchMode::Plain, false, "\xE9t\xE9.txt"},
                              }));
    EXPECT_EQ(prepared.sources[0].path, native("/home/Рус/mod/Cars/Ferrari/A.tex"));
  }
}

TEST(PrepareSources, ASingleFileNeedsOnlyItsKeySpellable) {
  struct Case {
    std::string file;
    Prepared expected;
  };
  const std::vector<Case> cases = {
      {"/home/Рус/x.DAT", {MatchMode::Plain, false, "x.dat"}},
      {"/home/Рус/qualifying/Рус/x.dat", {MatchMode::Qualifying, false, "x.dat"}},
      {"/home/Рус/cars/Рус/Cars/F1/a.tex", {MatchMode::Plain, true, "cars\\f1\\a.tex"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string file = testing::WithNativeSeparators(c.file);
    const PreparedSources prepared = PrepareSources(file, {file}, true);
    EXPECT_FALSE(prepared.unspellable);
    EXPECT_EQ(Keys(prepared), std::vector<Prepared>{c.expected});
  }
}

TEST(PrepareSources, RefusesTheFirstPathWhoseKeyOrNameTheCodePageCannotSpell) {
  struct Case {
    std::string sourceText;
    std::vector<std::string> files;
    bool singleFile;
    std::string refused;
  };
  const std::vector<Case> cases = {
      {"/mod", {"/mod/a.dat", "/mod/Рус/a.dat", "/mod/b/Рус.dat"}, false, "/mod/Рус/a.dat"},
      {"/Рус/mod", {"/Рус/mod/a.dat", "/Рус/mod/Рус/a.dat"}, false, "/Рус/mod/Рус/a.dat"},
      {"/mod/Рус.dat", {"/mod/Рус.dat"}, true, "/mod/Рус.dat"},
      {"/mod/cars/Рус/a.tex", {"/mod/cars/Рус/a.tex"}, true, "/mod/cars/Рус/a.tex"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sourceText);
    const PreparedSources prepared = PrepareSources(c.sourceText, c.files, c.singleFile);
    EXPECT_EQ(prepared.unspellable, c.refused);
    EXPECT_TRUE(prepared.sources.empty());
  }
}

}  // namespace
}  // namespace quillmoor
