// quillmoor-cli run as the user runs it: two updates of one wad at once or a little apart must
// give the wad one of the two sequential orders gives, and a run killed at any moment must
// leave the old wad or the new one, and no temporary file once a later run has been.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "ChildProcess.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "io/TemporaryNames.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::CanTrace;
using testing::CliPath;
using testing::NamesIn;
using testing::ReadFile;
using testing::RunCli;
using testing::Start;
using testing::StartCli;
using testing::TempDir;
using testing::Trials;
using testing::WadBuilder;
using testing::Wait;

// A wad of count entries of size bytes each, named e0.dat, e1.dat, ...
std::string WadOf(int count, std::size_t size) {
  WadBuilder wad;
  for (int i = 0; i < count; ++i) {
    wad.Entry("e" + std::to_string(i) + ".dat", std::string(size, static_cast<char>('a' + i)));
  }
  return wad.Build();
}

// The wad two updates give one after the other, in that order.
std::string Sequentially(const TempDir& dir, const std::string& wad, const std::string& first,
                         const std::string& second) {
  const std::string path = dir.WriteFile("sequential/x.wad", wad);
  EXPECT_EQ(RunCli({"update", path, first}), 0);
  EXPECT_EQ(RunCli({"update", path, second}), 0);
  return ReadFile(path);
}

TEST(TwoUpdates, OfOneWadAtOnceOrApartGiveWhatOneOrderGives) {
  TempDir dir;
  const std::string wad = WadOf(8, 1 << 19);
  dir.WriteFile("mod1/e1.dat", std::string(3 << 19, '1'));
  dir.WriteFile("mod1/new1.dat", "added by the first");
  dir.WriteFile("mod2/e1.dat", std::string(5 << 18, '2'));
  dir.WriteFile("mod2/e5.dat", std::string(1 << 18, '2'));
  dir.WriteFile("mod2/new2.dat", "added by the second");
  const std::string mod1 = dir / "mod1";
  const std::string mod2 = dir / "mod2";
  const std::string oneTwo = Sequentially(dir, wad, mod1, mod2);
  const std::string twoOne = Sequentially(dir, wad, mod2, mod1);
  ASSERT_NE(oneTwo, twoOne);

  // At once, then apart by each delay of the table in turn.
  const std::chrono::milliseconds delays[] = {0ms, 1ms, 2ms, 5ms, 10ms, 20ms, 50ms, 100ms, 400ms};
  const int atOnce = Trials(4);
  const int apart = Trials(9);
  int wrong = 0;
  for (int trial = 0; trial < atOnce + apart; ++trial) {
    const std::chrono::milliseconds delay =
        trial < atOnce ? 0ms : delays[static_cast<std::size_t>(trial - atOnce) % std::size(delays)];
    const std::string path = dir.WriteFile("x.wad", wad);
    const pid_t first = StartCli({"update", path, mod1});
    if (trial >= atOnce) std::this_thread::sleep_for(delay);
    const pid_t second = StartCli({"update", path, mod2});
    const int firstStatus = Wait(first);
    const int secondStatus = Wait(second);
    const std::string result = ReadFile(path);
    const bool right =
        firstStatus == 0 && secondStatus == 0 && (result == oneTwo || result == twoOne);
    wrong += right ? 0 : 1;
    EXPECT_TRUE(right) << "trial " << trial << ", " << delay.count() << " ms apart: exit "
                       << firstStatus << " and " << secondStatus;
  }
  std::cout << atOnce << " pairs at once, " << apart << " apart: " << wrong << " wrong\n";
}

TEST(TwoCreations, OfOneNewWadAtOnceTakeTurnsAndTheLaterKeepsTheEarlierAsItsBackup) {
  TempDir dir;
  for (int i = 0; i < 8; ++i) {
    dir.WriteFile("one/f" + std::to_string(i) + ".bin", std::string(1 << 20, 'a' + i));
    dir.WriteFile("two/g" + std::to_string(i) + ".bin", std::string(1 << 20, 'A' + i));
  }
  fs::create_directories(dir / "reference");
  ASSERT_EQ(RunCli({"create", dir / "one", dir / "reference/one.wad"}), 0);
  ASSERT_EQ(RunCli({"create", dir / "two", dir / "reference/two.wad"}), 0);
  const std::string one = ReadFile(dir / "reference/one.wad");
  const std::string two = ReadFile(dir / "reference/two.wad");
  const int trials = Trials(6);
  for (int trial = 0; trial < trials; ++trial) {
    const fs::path game = dir / ("game" + std::to_string(trial));
    fs::create_directories(game);
    const std::string wad = game / "x.wad";
    const pid_t first = StartCli({"create", dir / "one", wad});
    const pid_t second = StartCli({"create", dir / "two", wad});
    ASSERT_EQ(Wait(first), 0) << "trial " << trial;
    ASSERT_EQ(Wait(second), 0) << "trial " << trial;
    // Whichever came second replaced the first's wad and kept it as its backup.
    const std::string result = ReadFile(wad);
    ASSERT_TRUE(result == one || result == two) << "trial " << trial;
    EXPECT_EQ(ReadFile(wad + ".bak"), result == one ? two : one) << "trial " << trial;
    EXPECT_EQ(NamesIn(game), (std::vector<std::string>{"x.wad", "x.wad.bak"})) << "trial " << trial;
  }
}

// Kills the run of args at random moments of its course, trials times. Before each trial,
// prepare() puts the old state in place, without a backup; afterwards the folder must hold wad,
// as old or as new, maybe its backup, which holds the old wad, and nothing else that a later
// complete run of args doesn't remove.
void KillAtRandomMoments(const std::vector<std::string>& args, const std::function<void()>& prepare,
                         const std::string& wad, const std::string& oldWad,
                         const std::string& newWad, int trials) {
  const fs::path folder = fs::path(wad).parent_path();
  const std::string wadName = fs::path(wad).filename().string();
  const std::string backup = wad + ".bak";
  const auto prepareWithoutBackup = [&] {
    prepare();
    fs::remove(backup);
  };
  prepareWithoutBackup();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCli(args), 0);
  const auto whole = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(ReadFile(wad), newWad);
  ASSERT_EQ(ReadFile(backup), oldWad);

  std::mt19937 random(12345);
  std::uniform_int_distribution<long long> moment(0, whole.count() * 6 / 5);
  int old = 0;
  int renewed = 0;
  int backups = 0;
  int leftovers = 0;
  for (int trial = 0; trial < trials; ++trial) {
    prepareWithoutBackup();
    const pid_t run = StartCli(args);
    std::this_thread::sleep_for(std::chrono::steady_clock::duration(moment(random)));
    ::kill(run, SIGKILL);
    Wait(run);
    const std::string result = ReadFile(wad);
    EXPECT_TRUE(result == oldWad || result == newWad) << "trial " << trial;
    old += result == oldWad ? 1 : 0;
    renewed += result == newWad ? 1 : 0;
    if (fs::exists(backup)) {
      EXPECT_EQ(ReadFile(backup), oldWad) << "trial " << trial;
      ++backups;
    }
    std::vector<std::string> names = NamesIn(folder);
    std::erase(names, wadName + ".bak");
    if (names == std::vector<std::string>{wadName}) continue;
    ++leftovers;
    for (const std::string& name : names) {
      EXPECT_TRUE(name == wadName || IsTemporaryFileName(name))
          << "trial " << trial << " left " << name;
    }
    ASSERT_EQ(RunCli(args), 0);
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{wadName, wadName + ".bak"}))
        << "trial " << trial << ": a later run left what the killed one left";
  }
  std::cout << trials << " kills: " << old << " old, " << renewed << " new, " << backups
            << " with a backup, " << leftovers << " left a temporary file until the next run\n";
}

TEST(AKilledRun, OfAnUpdateLeavesTheOldWadOrTheNewAndNoTemporaryFile) {
  TempDir dir;
  const std::string oldWad = WadOf(12, 1 << 20);
  dir.WriteFile("mod/e3.dat", std::string(3 << 20, '3'));
  dir.WriteFile("mod/added.dat", std::string(1 << 20, '+'));
  const std::string wad = dir / "game/x.wad";
  KillAtRandomMoments(
      {"update", wad, dir / "mod"}, [&] { dir.WriteFile("game/x.wad", oldWad); }, wad, oldWad,
      Sequentially(dir, oldWad, dir / "mod", dir / "mod"), Trials(10));
}

TEST(AKilledRun, OfACreationLeavesTheOldWadOrTheNewAndNoTemporaryFile) {
  TempDir dir;
  for (int i = 0; i < 10; ++i) {
    dir.WriteFile("data/f" + std::to_string(i) + ".bin", std::string(1 << 20, 'a' + i));
  }
  const std::string oldWad = WadOf(2, 100);
  const std::string reference = dir / "reference/x.wad";
  fs::create_directories(dir / "reference");
  ASSERT_EQ(RunCli({"create", dir / "data", reference}), 0);
  const std::string wad = dir / "game/x.wad";
  KillAtRandomMoments(
      {"create", dir / "data", wad}, [&] { dir.WriteFile("game/x.wad", oldWad); }, wad, oldWad,
      ReadFile(reference), Trials(10));
}

TEST(AnUpdate, SyncsTheFolderAfterTheRenameSoThatTheNewWadSurvivesAPowerCut) {
  if (!CanTrace()) GTEST_SKIP() << "strace can't follow programs here";
  TempDir dir;
  const std::string wad = dir.WriteFile("game/x.wad", WadOf(2, 100));
  dir.WriteFile("mod/e1.dat", "new");
  const std::string log = dir / "trace.txt";
  ASSERT_EQ(Wait(Start("/usr/bin/strace",
                       {"-o", log, "-e", "trace=openat,rename,renameat,renameat2,fsync", CliPath(),
                        "update", wad, dir / "mod"})),
            0);
  std::ifstream trace(log);
  const std::regex folderOpen(R"(openat\(.*O_DIRECTORY.*\)\s*= (\d+))");
  const std::regex fileOpen(R"(openat\(.*\)\s*= (\d+))");
  const std::regex renameOnto(R"(rename.*"[^"]*x\.wad"\)\s*= 0)");
  const std::regex fsync(R"(fsync\((\d+)\)\s*= 0)");
  std::set<std::string> folders;
  bool renamed = false;
  bool folderSynced = false;
  std::smatch match;
  for (std::string line; std::getline(trace, line);) {
    if (std::regex_search(line, match, folderOpen)) {
      folders.insert(match[1]);
    } else if (std::regex_search(line, match, fileOpen)) {
      folders.erase(match[1]);
    }
    if (std::regex_search(line, renameOnto)) renamed = true;
    if (renamed && std::regex_search(line, match, fsync) && folders.contains(match[1])) {
      folderSynced = true;
    }
  }
  EXPECT_TRUE(renamed);
  EXPECT_TRUE(folderSynced);
}

}  // namespace
}  // namespace quillmoor
