#include "settings/WinePrefixes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ScopedEnvironmentVariable.h"
#include "TempDir.h"
#include "operations/SettingsValues.h"
#include "settings/InstallationRecord.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnvironmentVariable;
using testing::TempDir;

// What a fake prefix holds: the game installed (a record leading to a folder with GP4.exe), a
// record whose folder lacks GP4.exe (uninstalled), a "Directory" that isn't text, or no
// record at all (another game's prefix).
enum class Install { Game, RecordOnly, BrokenRecord, Nothing };

// Makes a Wine prefix at folder below home, drive C: linked to its drive_c; gives the folder
// its record names.
std::string MakePrefix(const TempDir& home, const std::string& folder, Install install) {
  const fs::path prefix = home.path() / folder;
  fs::create_directories(prefix / "drive_c/GP4");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
  if (install == Install::Game) home.WriteFile(folder + "/drive_c/GP4/GP4.exe", "MZ");
  const std::string directory =
      install == Install::BrokenRecord ? "dword:00000001" : R"("C:\\GP4")";
  if (install != Install::Nothing) {
    home.WriteFile(folder + "/system.reg",
                   "WINE REGISTRY Version 2\n\n"
                   R"([Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir] 1700000000)"
                   "\n\"Directory\"=" +
                       directory + "\n");
  }
  return fs::canonical(prefix / "drive_c/GP4").string();
}

TEST(WinePrefixes, TheFirstPrefixWhoseRecordLeadsToTheGameWins) {
  struct Prefix {
    std::string folder;  // below HOME, or "$WINEPREFIX" for a folder that variable names
    Install install;
  };
  struct Case {
    const char* what;
    std::vector<Prefix> prefixes;
    std::optional<std::size_t> winner;  // the prefix whose record is found, if any
  };
  const std::string lutris = "Games/grand-prix-4";
  const std::string bottles = ".local/share/bottles/bottles/GP4";
  const std::string flatpak = ".var/app/com.usebottles.bottles/data/bottles/bottles/GP4";
  const std::string playOnLinux = ".PlayOnLinux/wineprefix/GP4";
  const Case cases[] = {
      {"no prefix at all", {}, std::nullopt},
      {"prefixes without a record",
       {{".wine", Install::Nothing}, {lutris, Install::Nothing}},
       std::nullopt},
      {"$WINEPREFIX before ~/.wine", {{"$WINEPREFIX", Install::Game}, {".wine", Install::Game}}, 0},
      {"~/.wine before the launchers",
       {{".wine", Install::Game}, {lutris, Install::Game}, {bottles, Install::Game}},
       0},
      {"Lutris", {{".wine", Install::Nothing}, {lutris, Install::Game}}, 1},
      {"Lutris's prefixes by name",
       {{"Games/a-other", Install::RecordOnly}, {"Games/b-gp4", Install::Game}},
       1},
      {"Bottles", {{bottles, Install::Game}, {playOnLinux, Install::Game}}, 0},
      {"Bottles as a Flatpak", {{".wine", Install::RecordOnly}, {flatpak, Install::Game}}, 1},
      {"PlayOnLinux", {{lutris, Install::Nothing}, {playOnLinux, Install::Game}}, 1},
      {"the game behind an uninstalled one",
       {{"$WINEPREFIX", Install::RecordOnly}, {playOnLinux, Install::Game}},
       1},
      {"only records without the game: the first",
       {{".wine", Install::RecordOnly}, {bottles, Install::RecordOnly}},
       0},
      {"a broken record in another prefix hides nothing",
       {{".wine", Install::BrokenRecord}, {flatpak, Install::Game}},
       1},
  };
  for (const Case& c : cases) {
    TempDir home;
    const ScopedEnvironmentVariable homeVariable("HOME", home.path().string().c_str());
    std::optional<ScopedEnvironmentVariable> named;
    named.emplace("WINEPREFIX", std::nullopt);
    std::vector<std::string> recorded;
    for (const Prefix& prefix : c.prefixes) {
      const bool isNamed = prefix.folder == "$WINEPREFIX";
      const std::string folder = isNamed ? "elsewhere/gp4-prefix" : prefix.folder;
      recorded.push_back(MakePrefix(home, folder, prefix.install));
      if (isNamed) named.emplace("WINEPREFIX", (home / folder).c_str());
    }
    const std::optional<std::string> expected =
        c.winner ? std::optional(recorded[*c.winner]) : std::nullopt;
    EXPECT_EQ(PlatformInstallationRecord()(), expected) << c.what;
  }
}

TEST(WinePrefixes, ABrokenRecordIsRefusedWhenNoPrefixLeadsToTheGame) {
  TempDir home;
  const ScopedEnvironmentVariable homeVariable("HOME", home.path().string().c_str());
  const ScopedEnvironmentVariable named("WINEPREFIX", std::nullopt);
  MakePrefix(home, ".wine", Install::RecordOnly);
  MakePrefix(home, "Games/gp4", Install::BrokenRecord);
  EXPECT_THROW(PlatformInstallationRecord()(), SettingsTypeError);
}

}  // namespace
}  // namespace quillmoor
