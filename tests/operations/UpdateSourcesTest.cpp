#include "operations/UpdateSources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"

namespace quillmoor {
namespace {

constexpr std::optional<std::size_t> kNoTrack;
constexpr std::size_t kA1Ring = 0;
constexpr std::size_t kMonza = 11;

struct Prepared {
  MatchMode mode;
  MatchBy matchBy;
  std::string key;  // in the game's code page
  std::optional<std::size_t> track;
  bool operator==(const Prepared&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Prepared& p) {
  return out << "mode " << static_cast<int>(p.mode) << ", by " << static_cast<int>(p.matchBy)
             << ", key " << p.key << ", track " << (p.track ? static_cast<int>(*p.track) : -1);
}

std::vector<Prepared> Keys(const PreparedSources& prepared) {
  std::vector<Prepared> keys;
  for (const UpdateSource& source : prepared.sources) {
    keys.push_back({source.mode, source.matchBy, source.matchKey, source.track});
  }
  return keys;
}

// A file of a source folder is judged by the folder's own name and the path below it, never
// by the folders above the folder.
TEST(PrepareFolderSources, JudgesAFileByTheFolderItselfAndWhatLiesBelowIt) {
  struct Case {
    std::string folder;
    std::string below;
    Prepared expected;
  };
  const std::vector<Case> cases = {
      {"/home/cars/trackmod",
       "maps/a1ring2001/textures/TEX001.tex",
       {MatchMode::Plain, MatchBy::WholeName, "maps\\a1ring2001\\textures\\tex001.tex", kA1Ring}},
      {"/home/race/mod", "x.dat", {MatchMode::Plain, MatchBy::FileName, "x.dat", kNoTrack}},
      {"/home/qualifying/mod/", "x.dat", {MatchMode::Plain, MatchBy::FileName, "x.dat", kNoTrack}},
      {"/m/mod",
       "Cars/Ferrari/A.tex",
       {MatchMode::Plain, MatchBy::WholeName, "cars\\ferrari\\a.tex", kNoTrack}},
      {"/m/mod/Cars",
       "ferrari/a.tex",
       {MatchMode::Plain, MatchBy::WholeName, "cars\\ferrari\\a.tex", kNoTrack}},
      {"/m/mod",
       "cars/helmets/cars/h.tex",
       {MatchMode::Plain, MatchBy::WholeName, "cars\\helmets\\cars\\h.tex", kNoTrack}},
      {"/m/race", "x.cfg", {MatchMode::Race, MatchBy::RaceFileName, "x.cfg", kNoTrack}},
      {"/m/mod", "Race/x.cfg", {MatchMode::Race, MatchBy::RaceFileName, "x.cfg", kNoTrack}},
      {"/m/mod",
       "qualifying/race/x.cfg",
       {MatchMode::Race, MatchBy::RaceFileName, "x.cfg", kNoTrack}},
      {"/m/mod",
       "Qualifying/x.cfg",
       {MatchMode::Qualifying, MatchBy::QualifyingFileName, "x.cfg", kNoTrack}},
      {"/m/mod",
       "cars/race/x.cfg",
       {MatchMode::Race, MatchBy::RaceFileName, "cars\\race\\x.cfg", kNoTrack}},
      {"/m/mod",
       "maps/Monza2001/race/Track.dat",
       {MatchMode::Race, MatchBy::WholeName, "maps\\monza2001\\race\\track.dat", kMonza}},
      {"/m/monza2001",
       "track.dat",
       {MatchMode::Plain, MatchBy::WholeName, "maps\\monza2001\\track.dat", kMonza}},
      {"/m/cars",
       "Cars/car_ferrari.gp4",
       {MatchMode::Plain, MatchBy::WholeName, "cars\\car_ferrari.gp4", kNoTrack}},
      {"/m/monza2001",
       "maps/Monza2001/x.dat",
       {MatchMode::Plain, MatchBy::WholeName, "maps\\monza2001\\x.dat", kMonza}},
      {"/m/mod", "racing/x.dat", {MatchMode::Plain, MatchBy::FileName, "x.dat", kNoTrack}},
      {"/m/mod.v2",
       "monza2001.dat",
       {MatchMode::Plain, MatchBy::FileName, "monza2001.dat", kNoTrack}},
      {"/m/Рус/Моды",
       "Café/Été.txt",
       {MatchMode::Plain, MatchBy::FileName, "\xE9t\xE9.txt", kNoTrack}},
  };
  for (const Case& c : cases) {
    const std::string folder = testing::WithNativeSeparators(c.folder);
    const std::string separator = c.folder.ends_with('/') ? "" : "/";
    const std::string file = testing::WithNativeSeparators(c.folder + separator + c.below);
    SCOPED_TRACE(file);
    const PreparedSources prepared = PrepareFolderSources(folder, {file});
    ASSERT_FALSE(prepared.unspellable);
    EXPECT_EQ(Keys(prepared), std::vector<Prepared>{c.expected});
    EXPECT_EQ(prepared.sources[0].path, file);
  }
}

TEST(PrepareFolderSources, GivesTheSameSourcesForARelativeAndAnAbsoluteSpelling) {
  testing::TempDir dir;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::create_directories(dir.path() / "race" / "mod");
  std::filesystem::current_path(dir.path() / "race" / "mod");
  const std::vector<std::pair<std::string, std::string>> spellings = {
      {dir / "race/mod", dir / "race/mod/cars/a.tex"},
      {".", testing::WithNativeSeparators("./cars/a.tex")},
      {testing::WithNativeSeparators("../mod/"),
       testing::WithNativeSeparators("../mod/cars/a.tex")},
  };
  for (const auto& [folder, file] : spellings) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(
        Keys(PrepareFolderSources(folder, {file})),
        (std::vector<Prepared>{{MatchMode::Plain, MatchBy::WholeName, "cars\\a.tex", kNoTrack}}));
  }
  std::filesystem::current_path(before);
}

TEST(PrepareFileSource, KeysASingleFileByItsWholePath) {
  struct Case {
    std::string file;
    Prepared expected;
  };
  const std::vector<Case> cases = {
      {"/home/Рус/x.DAT", {MatchMode::Plain, MatchBy::FileName, "x.dat", kNoTrack}},
      {"/home/Рус/qualifying/Рус/x.dat",
       {MatchMode::Qualifying, MatchBy::QualifyingFileName, "x.dat", kNoTrack}},
      {"/home/Рус/cars/Рус/Cars/F1/a.tex",
       {MatchMode::Plain, MatchBy::WholeName, "cars\\f1\\a.tex", kNoTrack}},
      {"/home/race/maps/monza2001/x.dat",
       {MatchMode::Race, MatchBy::RaceFileName, "x.dat", kNoTrack}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string file = testing::WithNativeSeparators(c.file);
    const PreparedSources prepared = PrepareFileSource(file);
    EXPECT_FALSE(prepared.unspellable);
    EXPECT_EQ(Keys(prepared), std::vector<Prepared>{c.expected});
  }
}

TEST(PrepareSources, RefusesTheFirstPathWhoseKeyTheCodePageCannotSpell) {
  struct Case {
    std::string folder;  // empty for a single file
    std::vector<std::string> files;
    std::optional<std::string> refused;
  };
  const std::vector<Case> cases = {
      {"/mod", {"/mod/a.dat", "/mod/Рус/a.dat", "/mod/b/Рус.dat"}, "/mod/b/Рус.dat"},
      {"/mod", {"/mod/a.dat", "/mod/cars/Рус/a.dat"}, "/mod/cars/Рус/a.dat"},
      {"/Рус", {"/Рус/spa2001/Рус.dat"}, "/Рус/spa2001/Рус.dat"},
      {"/Рус", {"/Рус/a.dat", "/Рус/Рус/a.dat"}, std::nullopt},
      {"", {"/mod/Рус.dat"}, "/mod/Рус.dat"},
      {"", {"/mod/cars/Рус/a.tex"}, "/mod/cars/Рус/a.tex"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.back());
    std::vector<std::string> files;
    for (const std::string& file : c.files) files.push_back(testing::WithNativeSeparators(file));
    const std::string folder = testing::WithNativeSeparators(c.folder);
    const PreparedSources prepared =
        folder.empty() ? PrepareFileSource(files.front()) : PrepareFolderSources(folder, files);
    EXPECT_EQ(prepared.unspellable,
              c.refused ? std::optional(testing::WithNativeSeparators(*c.refused)) : std::nullopt);
    EXPECT_EQ(prepared.sources.empty(), c.refused.has_value());
  }
}

}  // namespace
}  // namespace quillmoor
