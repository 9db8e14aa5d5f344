#include "operations/Undo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FakeHost.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/IoError.h"
#include "operations/Creation.h"
#include "operations/Messages.h"
#include "operations/Recovery.h"
#include "operations/TrackNames.h"
#include "operations/Update.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::FaultyFileSystem;
using testing::FileStep;
using testing::ReadFile;
using testing::TempDir;
using testing::WadBuilder;

// A game folder with the 17 track wads and cars.wad, each a small wad of its own, and a mod
// folder with one file that replaces an entry of every wad.
struct Game {
  TempDir dir;
  FakeHost host;
  ProgramState state;
  std::vector<std::string> tracks = TrackWadPaths(dir / "game");
  std::string cars = dir / "game/cars.wad";

  Game() {
    for (const std::string& track : tracks) {
      WadBuilder().Entry("a.txt", "old " + track).WriteTo(track);
    }
    WadBuilder().Entry("a.txt", "old cars").WriteTo(cars);
    dir.WriteFile("mod/a.txt", "new");
    dir.WriteFile("pack/a.txt", "packed 1");
    dir.WriteFile("pack/b.txt", "packed 2");
    host.gamePath = dir / "game";
  }

  void UpdateCars(const UpdateOptions& options = {}) {
    host.sourceText = dir / "mod";
    host.wadText = cars;
    RunUpdate(host, state, NativeFileSystem(), options);
  }
  void UpdateTracks(const UpdateOptions& options = {}) {
    host.sourceText = dir / "mod";
    state.TrackMode = true;
    RunUpdate(host, state, NativeFileSystem(), options);
  }
  void CreateCars(const UpdateOptions& options = {}) {
    host.sourceText = dir / "pack";
    host.saveAnswers.push_back(cars);
    CreationOptions creation;
    creation.keepBackup = options.keepBackup;
    CreateWad(host, state, NativeFileSystem(), creation);
  }
};

UpdateOptions WithoutBackups() {
  UpdateOptions options;
  options.keepBackup = false;
  return options;
}

UpdateOptions DryRun() {
  UpdateOptions options;
  options.dryRun = true;
  return options;
}

struct Writer {
  const char* name;
  std::function<void(Game&, const UpdateOptions&)> run;
  std::function<std::vector<std::string>(const Game&)> wads;
};

const Writer kWriters[] = {
    {"update", &Game::UpdateCars, [](const Game& g) { return std::vector{g.cars}; }},
    {"track update", &Game::UpdateTracks, [](const Game& g) { return g.tracks; }},
    {"create", &Game::CreateCars, [](const Game& g) { return std::vector{g.cars}; }},
};

std::vector<std::string> Contents(const std::vector<std::string>& files) {
  std::vector<std::string> contents;
  for (const std::string& file : files) contents.push_back(ReadFile(file));
  return contents;
}

std::vector<std::string> Backups(const std::vector<std::string>& wads) {
  std::vector<std::string> backups;
  for (const std::string& wad : wads) backups.push_back(wad + ".bak");
  return backups;
}

bool AnyExists(const std::vector<std::string>& files) {
  return std::any_of(files.begin(), files.end(),
                     [](const std::string& f) { return fs::exists(f); });
}

TEST(Backup, EveryWriterKeepsThePreviousVersionAndUndoExchangesIt) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    Game game;
    const std::vector<std::string> wads = writer.wads(game);
    const std::vector<std::string> before = Contents(wads);

    writer.run(game, {});
    ASSERT_TRUE(game.host.messages.empty()) << game.host.messages.front();
    const std::vector<std::string> after = Contents(wads);
    EXPECT_NE(after, before);
    EXPECT_EQ(Contents(Backups(wads)), before);
    EXPECT_EQ(game.state.ReplacedWads, wads);

    UndoWads(game.state.ReplacedWads, game.host, NativeFileSystem());
    EXPECT_EQ(Contents(wads), before);
    EXPECT_EQ(Contents(Backups(wads)), after);
    EXPECT_EQ(game.host.StatusText(), "Undo done in 0s");

    UndoWads(game.state.ReplacedWads, game.host, NativeFileSystem());
    EXPECT_EQ(Contents(wads), after);
    EXPECT_EQ(Contents(Backups(wads)), before);
  }
}

TEST(Backup, NoneWithoutBackupsOrInADryRunAndNoneForANewWad) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    Game game;
    writer.run(game, WithoutBackups());
    EXPECT_TRUE(game.state.ReplacedWads.empty());
    EXPECT_FALSE(AnyExists(Backups(writer.wads(game))));
  }
  Game game;
  game.UpdateTracks(DryRun());
  EXPECT_FALSE(AnyExists(Backups(game.tracks)));

  fs::remove(game.cars);
  game.CreateCars();
  EXPECT_TRUE(fs::exists(game.cars));
  EXPECT_FALSE(fs::exists(game.cars + ".bak"));
  EXPECT_TRUE(game.state.ReplacedWads.empty());
}

TEST(Backup, OneLevelOnlyTheOlderBackupIsReplaced) {
  Game game;
  const std::string first = ReadFile(game.cars);
  game.UpdateCars();
  const std::string second = ReadFile(game.cars);
  game.CreateCars();
  EXPECT_EQ(ReadFile(game.cars + ".bak"), second);
  EXPECT_NE(ReadFile(game.cars + ".bak"), first);
}

TEST(Backup, ABackupThatIsTheWadItselfLeavesNoTemporaryName) {
  // A run killed after keeping its backup and before replacing the wad leaves both names on
  // one file.
  Game game;
  fs::remove_all(game.dir / "game");
  const std::string old = WadBuilder().Entry("a.txt", "old cars").Build();
  game.dir.WriteFile("game/cars.wad", old);
  fs::create_hard_link(game.cars, game.cars + ".bak");
  game.UpdateCars();
  EXPECT_EQ(testing::NamesIn(game.dir / "game"),
            (std::vector<std::string>{"cars.wad", "cars.wad.bak"}));
  EXPECT_EQ(ReadFile(game.cars + ".bak"), old);
}

TEST(Backup, ARunThatFailsBeforeItsCommitLeavesEveryWadAndBackupAsItWas) {
  // The failure comes as the commit's journal is put in place: the last step before any wad or
  // backup changes.
  Game game;
  game.UpdateTracks();
  const std::vector<std::string> before = Contents(game.tracks);
  const std::vector<std::string> backupsBefore = Contents(Backups(game.tracks));
  FaultyFileSystem files;
  files.FailAt(FileStep::Rename, 1, IoFailure::AccessDenied);
  game.host.sourceText = game.dir / "other";
  game.dir.WriteFile("other/a.txt", "newer");
  game.state.TrackMode = true;
  EXPECT_THROW(RunUpdate(game.host, game.state, files), IoError);
  EXPECT_EQ(Contents(game.tracks), before);
  EXPECT_EQ(Contents(Backups(game.tracks)), backupsBefore);
  // The wads, their backups, cars.wad and the earlier run's record.
  EXPECT_EQ(testing::NamesIn(game.dir / "game").size(), 2 * game.tracks.size() + 2);
  // What an undo puts back is still the earlier run's.
  EXPECT_EQ(game.state.ReplacedWads, game.tracks);
}

TEST(Backup, ACommitThatFailsMidwayIsFinishedByTheNextOperation) {
  Game game;
  game.UpdateCars();
  const std::vector<std::string> before = Contents(game.tracks);
  FaultyFileSystem files;
  files.FailAt(FileStep::Rename, 9, IoFailure::AccessDenied);
  game.host.sourceText = game.dir / "mod";
  game.state.TrackMode = true;
  EXPECT_THROW(RunUpdate(game.host, game.state, files), IoError);
  EXPECT_EQ(game.state.ReplacedWads, game.tracks);
  game.host.confirmAnswers = {true};
  UndoLastChange(game.host, game.state, NativeFileSystem());
  EXPECT_EQ(Contents(game.tracks), before);
  // The wads, their backups, cars.wad with its backup and the track update's record.
  EXPECT_EQ(testing::NamesIn(game.dir / "game").size(), 2 * game.tracks.size() + 3);
}

TEST(Backup, ARunThatChangesNoWadWritesNoneAndKeepsEveryBackup) {
  Game game;
  const std::vector<std::string> original = Contents(game.tracks);
  game.UpdateTracks();
  const std::vector<std::string> updated = Contents(game.tracks);
  game.UpdateTracks();
  EXPECT_EQ(Contents(game.tracks), updated);
  EXPECT_EQ(Contents(Backups(game.tracks)), original);
  EXPECT_EQ(game.state.ReplacedWads, game.tracks);
}

TEST(Backup, ATrackUpdateReplacesAndBacksUpOnlyTheWadsItChanges) {
  Game game;
  // One track wad holds already what the update would put in.
  WadBuilder().Entry("a.txt", "new").WriteTo(game.tracks[3]);
  const std::vector<std::string> original = Contents(game.tracks);
  game.UpdateTracks();
  std::vector<std::string> replaced = game.tracks;
  replaced.erase(replaced.begin() + 3);
  EXPECT_EQ(game.state.ReplacedWads, replaced);
  EXPECT_EQ(ReadFile(game.tracks[3]), original[3]);
  EXPECT_FALSE(fs::exists(game.tracks[3] + ".bak"));
  std::vector<std::string> originalOfReplaced = original;
  originalOfReplaced.erase(originalOfReplaced.begin() + 3);
  EXPECT_EQ(Contents(Backups(replaced)), originalOfReplaced);
}

TEST(Undo, RefusesWithoutEveryBackupAndChangesNothing) {
  Game game;
  game.UpdateTracks();
  const std::vector<std::string> after = Contents(game.tracks);
  fs::remove(game.tracks[16] + ".bak");
  UndoWads(game.tracks, game.host, NativeFileSystem());
  ASSERT_EQ(game.host.messages.size(), 1u);
  EXPECT_EQ(game.host.messages[0], kNoBackupMessage + game.tracks[16]);
  EXPECT_EQ(Contents(game.tracks), after);
}

TEST(Undo, AnExchangeThatFailsIsAllOrNoneOnceTheNextRunFinishesIt) {
  for (const int failing : {1, 5, 30}) {
    SCOPED_TRACE(failing);
    Game game;
    const std::vector<std::string> before = Contents(game.tracks);
    game.UpdateTracks();
    const std::vector<std::string> after = Contents(game.tracks);
    FaultyFileSystem files;
    files.FailAt(FileStep::Rename, failing, IoFailure::AccessDenied);
    EXPECT_THROW(UndoWads(game.tracks, game.host, files), IoError);
    // The first rename puts the journal in place: before it, the undo hasn't happened.
    EXPECT_EQ(FinishEarlierChanges(NativeFileSystem(), game.tracks), std::nullopt);
    EXPECT_EQ(Contents(game.tracks), failing == 1 ? after : before);
    EXPECT_EQ(Contents(Backups(game.tracks)), failing == 1 ? before : after);
  }
}

TEST(Undo, AMissingWadIsFileNotFound) {
  Game game;
  try {
    UndoWads({game.dir / "none.wad"}, game.host, NativeFileSystem());
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_EQ(error.Kind(), IoFailure::FileNotFound);
  }
}

TEST(UndoLastChange, AsksNamingTheWadsAndUndoesOnlyOnYes) {
  Game game;
  game.UpdateTracks();
  const std::vector<std::string> after = Contents(game.tracks);
  UndoLastChange(game.host, game.state, NativeFileSystem());
  EXPECT_EQ(game.host.questions,
            std::vector<std::string>{"Put back the previous version of the 17 track wads?"});
  EXPECT_EQ(Contents(game.tracks), after);

  game.UpdateCars();
  game.host.confirmAnswers = {true};
  UndoLastChange(game.host, game.state, NativeFileSystem());
  EXPECT_EQ(game.host.questions.back(), "Put back the previous version of cars.wad?");
  EXPECT_EQ(ReadFile(game.cars), WadBuilder().Entry("a.txt", "old cars").Build());
  EXPECT_TRUE(game.host.messages.empty());
}

TEST(UndoLastChange, RefusesWhenNoRunKeptAPreviousVersion) {
  Game game;
  game.UpdateCars(WithoutBackups());
  game.host.confirmAnswers = {true};
  UndoLastChange(game.host, game.state, NativeFileSystem());
  EXPECT_EQ(game.host.messages, std::vector<std::string>{kNothingToUndoMessage});
  EXPECT_TRUE(game.host.questions.empty());
}

TEST(KeepsBackups, UnlessTheSettingIsZero) {
  testing::MemorySettings settings;
  EXPECT_TRUE(KeepsBackups(settings));
  settings.Write("KeepBackup", "0");
  EXPECT_FALSE(KeepsBackups(settings));
  settings.Write("KeepBackup", "1");
  EXPECT_TRUE(KeepsBackups(settings));
}

TEST(UndoTrackUpdate, PutsBackExactlyTheWadsTheLastTrackUpdateReplacedAndRefusesWithoutIt) {
  Game game;
  const std::string folder = game.dir / "game/";
  UndoTrackUpdate(game.dir / "game", game.host, NativeFileSystem());
  EXPECT_EQ(game.host.messages, std::vector<std::string>{kNoTrackUpdateMessage + folder});
  game.host.messages.clear();

  const std::vector<std::string> original = Contents(game.tracks);
  game.UpdateTracks();
  const std::vector<std::string> first = Contents(game.tracks);
  // The next update changes every track wad but one, which holds its result already; that
  // one's backup is still the original.
  game.dir.WriteFile("mod/a.txt", "newer");
  WadBuilder().Entry("a.txt", "newer").WriteTo(game.tracks[3]);
  const std::string third = ReadFile(game.tracks[3]);
  game.UpdateTracks();
  ASSERT_TRUE(game.host.messages.empty()) << game.host.messages.front();
  const std::vector<std::string> second = Contents(game.tracks);

  UndoTrackUpdate(game.dir / "game", game.host, NativeFileSystem());
  ASSERT_TRUE(game.host.messages.empty()) << game.host.messages.front();
  std::vector<std::string> expected = first;
  expected[3] = third;
  EXPECT_EQ(Contents(game.tracks), expected);
  EXPECT_EQ(ReadFile(game.tracks[3] + ".bak"), original[3]);
  // Undo again redoes; the window's undo follows the same record.
  game.host.confirmAnswers = {true};
  UndoLastChange(game.host, game.state, NativeFileSystem());
  EXPECT_EQ(Contents(game.tracks), second);

  // A track update that keeps no backups leaves nothing to undo.
  game.dir.WriteFile("mod/a.txt", "newest");
  game.UpdateTracks(WithoutBackups());
  UndoTrackUpdate(game.dir / "game", game.host, NativeFileSystem());
  EXPECT_EQ(game.host.messages, std::vector<std::string>{kNoTrackUpdateMessage + folder});
  EXPECT_EQ(ReadFile(game.tracks[0]), WadBuilder().Entry("a.txt", "newest").Build());
}

}  // namespace
}  // namespace quillmoor
