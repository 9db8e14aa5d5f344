#include "frontend/MainWindowActions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "FakeMainWindow.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/Messages.h"
#include "paths/PathText.h"

namespace quillmoor {
namespace {

using testing::FakeClock;
using testing::FakeMainWindow;
using testing::MemorySettingsStore;
using testing::ReadFile;
using testing::TempDir;
using testing::WadBuilder;
using Shown = std::vector<std::string>;

class MainWindowActionsTest : public ::testing::Test {
 protected:
  void InstallGame() {
    dir_.WriteFile("game/GP4.exe", "MZ");
    record_ = dir_ / "game";
  }

  TempDir dir_;
  ProgramState state_;
  FakeClock clock_;
  MemorySettingsStore store_;
  std::optional<std::string> record_;
  FakeMainWindow window_{store_, state_, [this] { return record_; }, clock_, NativeFileSystem()};
};

TEST_F(MainWindowActionsTest, ACompletedRunTakesNoInputFromItsStartToItsEnd) {
  window_.sourceText = dir_.WriteFile("mod/a.dat", "new");
  window_.wadText = WadBuilder().Entry("a.dat", "old").WriteTo(dir_ / "x.wad");
  // What still reaches the window during the run, such as Ctrl+Z, starts nothing.
  window_.yesToQuestions = true;
  window_.duringRefresh = [this] {
    window_.UndoLastChange();
    window_.UpdateWad();
    window_.UpdateTrackWads();
    EXPECT_FALSE(state_.TrackMode);
    window_.CreateWad();
  };
  window_.UpdateWad();
  EXPECT_EQ(window_.shown, (Shown{"input off", "progress 100 Updating x.wad : 100%",
                                  "progress 0 Update done in 0s", "input on"}));
  EXPECT_EQ(ReadFile(window_.wadText), WadBuilder().Entry("a.dat", "new").Build());
}

// A clock that moves on by a fixed step each time it is read, as if each step of a run took
// that long.
class SteppingClock final : public Clock {
 public:
  explicit SteppingClock(std::chrono::milliseconds step) : step_(step) {}
  TimePoint Now() override { return now_ += step_; }

 private:
  std::chrono::milliseconds step_;
  TimePoint now_;
};

TEST_F(MainWindowActionsTest, ARunRefreshesTheWindowAtItsStartAndThenAtMostEvery20ms) {
  struct Case {
    std::chrono::milliseconds step;
    int refreshes;
  };
  // Ten files: ten progress steps, then the completion text; the clock is also read at the
  // start and the end of the run.
  const Case cases[] = {{std::chrono::milliseconds(0), 1},
                        {std::chrono::milliseconds(7), 4},
                        {std::chrono::milliseconds(25), 11}};
  for (int i = 0; i < 10; ++i) dir_.WriteFile("mod/" + std::to_string(i) + ".txt", "x");
  for (const Case& c : cases) {
    SteppingClock clock(c.step);
    FakeMainWindow window(
        store_, state_, [] { return std::nullopt; }, clock, NativeFileSystem());
    window.sourceText = dir_ / "mod";
    window.saveAnswers = {dir_ / ("new" + std::to_string(c.step.count()) + ".wad")};
    window.CreateWad();
    EXPECT_EQ(window.barText.substr(0, 15), "Wad created in ") << c.step.count();
    EXPECT_EQ(window.refreshes, c.refreshes) << c.step.count();
  }
}

TEST_F(MainWindowActionsTest, UndoAsksThenPutsBackWhatTheLastRunReplacedUnlessBackupsAreOff) {
  const std::string old = WadBuilder().Entry("a.dat", "old").Build();
  window_.sourceText = dir_.WriteFile("mod/a.dat", "new");
  window_.wadText = dir_.WriteFile("cars.wad", old);
  window_.UpdateWad();
  const std::string updated = ReadFile(window_.wadText);
  window_.yesToQuestions = true;
  window_.shown.clear();
  window_.UndoLastChange();
  EXPECT_EQ(window_.shown,
            (Shown{"input off", "question Put back the previous version of cars.wad?",
                   "progress 0 Undo done in 0s", "input on"}));
  EXPECT_EQ(ReadFile(window_.wadText), old);

  store_.Write("KeepBackup", "0");
  window_.UpdateWad();
  window_.shown.clear();
  window_.UndoLastChange();
  EXPECT_EQ(window_.shown[2], std::string("message ") + kNothingToUndoMessage);
  EXPECT_EQ(ReadFile(window_.wadText), updated);
}

TEST_F(MainWindowActionsTest, ARefusalEmptiesTheBarBeforeItsBox) {
  window_.sourceText = kNoSourceText;
  window_.ShowProgress(0, "Update done in 16.382s");
  window_.shown.clear();
  window_.UpdateTrackWads();
  EXPECT_EQ(window_.shown,
            (Shown{"input off", "progress 0 ",
                   "message Sorry but you have to choose source file(s) first.", "input on"}));
  EXPECT_FALSE(state_.TrackMode);
}

TEST_F(MainWindowActionsTest, AFailureEmptiesTheBarAndShowsTheErrorBoxWithItsFullStop) {
  window_.ShowProgress(0, "Wad extracted in 2s");
  window_.shown.clear();
  window_.wadText =
      WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(dir_ / "x.wad");
  window_.saveAnswers = {dir_ / "out"};
  window_.ExtractWad();
  ASSERT_GE(window_.shown.size(), 4u);
  EXPECT_EQ(window_.shown.front(), "input off");
  EXPECT_EQ(Shown(window_.shown.end() - 3, window_.shown.end()),
            (Shown{"progress 0 ", "error Lecture au-delà de la fin de fichier.", "input on"}));
  EXPECT_EQ(window_.position, 0);
}

TEST_F(MainWindowActionsTest, TheSourceBrowseStartsNextInTheFolderOfAnExistingFile) {
  const std::string file = dir_.WriteFile("one/a.tex", "a");
  struct Case {
    std::string text;
    std::string startsIn;
  };
  const Case cases[] = {
      {kNoSourceText, "unchanged"},
      {"...typed over", "unchanged"},
      {dir_ / "missing.tex", "unchanged"},
      {dir_ / "one", "unchanged"},  // a folder is no file
      {file, dir_ / "one" + kNativeSeparator},
  };
  for (const Case& c : cases) {
    window_.sourceDialogFolder = "unchanged";
    window_.sourceText = c.text;
    window_.SourceBrowsed();
    EXPECT_EQ(window_.sourceDialogFolder, c.startsIn) << c.text;
  }
}

TEST_F(MainWindowActionsTest, OnlyAFolderThatHoldsTheGameBecomesTheGameFolder) {
  store_.Write(kFileNameSetting, "stored source");
  store_.Write(kWadNameSetting, "stored.wad");
  std::filesystem::create_directories(dir_ / "nogame");
  window_.sourceText = "typed but not used";

  window_.UseGameFolder(dir_ / "nogame");
  EXPECT_EQ(window_.sourceText, "typed but not used");
  EXPECT_EQ(store_.Read(kGamePathSetting, "none"), "none");

  dir_.WriteFile("game/gp4.EXE", "MZ");  // the game's name in any case
  window_.UseGameFolder(dir_ / "game");
  EXPECT_EQ(store_.Read(kGamePathSetting, "none"), dir_ / "game");
  EXPECT_TRUE(state_.GameFolderFound);
  EXPECT_EQ(window_.sourceText, "stored source");
  EXPECT_EQ(window_.wadText, "stored.wad");
  EXPECT_EQ(window_.wadDialogFolder, dir_ / "game");
  EXPECT_EQ(window_.shown, Shown{});
}

TEST_F(MainWindowActionsTest, AGameFolderThatCannotBeStoredGivesTheErrorBoxAndChangesNothing) {
  store_.refuseWrites = true;
  dir_.WriteFile("game/GP4.exe", "MZ");
  window_.sourceText = "typed";
  window_.UseGameFolder(dir_ / "game");
  ASSERT_EQ(window_.shown.size(), 1u);
  EXPECT_TRUE(window_.shown[0].starts_with("error Quillmoor cannot save its settings"))
      << window_.shown[0];
  EXPECT_EQ(window_.sourceText, "typed");
  EXPECT_FALSE(state_.GameFolderFound);
}

TEST_F(MainWindowActionsTest, FolderTreesOpenAtTheFolderInUse) {
  const std::string file = dir_.WriteFile("mods/car.tex", "a");
  dir_.WriteFile("modés/car.tex", "a");
  const std::pair<std::string, std::string> sources[] = {
      {file, dir_ / "mods"},
      {dir_ / "modés", dir_ / "modés"},
      {dir_ / "mods", dir_ / "mods"},
      {dir_ / "mods" + kNativeSeparator, dir_ / "mods"},
      {kNoSourceText, ""},
      {dir_ / "missing", ""},
  };
  for (const auto& [source, folder] : sources) {
    window_.sourceText = source;
    EXPECT_EQ(window_.SourceFolderInUse(), folder) << source;
  }

  EXPECT_EQ(window_.GameFolderInUse(), "");
  InstallGame();
  EXPECT_EQ(window_.GameFolderInUse(), dir_ / "game");
  EXPECT_FALSE(state_.GameFolderFound);  // looking doesn't count as finding it for start-up
}

}  // namespace
}  // namespace quillmoor
