// quillmoor-cli extract killed at moments spread over its run, into an empty folder and over
// an earlier extraction: every file is then whole (the earlier one or the new one), none of
// the earlier files is missing, and the temporary file a kill can leave is removed by the next
// extraction into the folder.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "WadBuilder.h"
#include "cli/Cli.h"
#include "io/FileSystem.h"
#include "io/TemporaryNames.h"

extern char** environ;

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WadBuilder;

constexpr int kEntries = 300;

std::string EntryPath(int i) { return "f" + std::to_string(i % 6) + "/e" + std::to_string(i); }

std::string Content(char letter, int i) {
  return std::to_string(i) + std::string(48 * 1024, letter);
}

std::string WadOf(char letter, const TempDir& dir) {
  WadBuilder wad;
  for (int i = 0; i < kEntries; ++i) {
    wad.Entry("f" + std::to_string(i % 6) + "\\e" + std::to_string(i), Content(letter, i));
  }
  return wad.WriteTo(dir / (std::string(1, letter) + ".wad"));
}

void ExtractInProcess(const std::string& wad, const std::string& folder) {
  std::ostringstream out;
  std::ostringstream err;
  const std::vector<std::string> args = {"extract", wad, folder};
  ASSERT_EQ(RunCli(args, {out, err}, NativeFileSystem()), kExitSuccess) << err.str();
}

void ExtractAndKillAfter(const std::string& wad, const std::string& folder,
                         std::chrono::milliseconds delay) {
  std::string program = QUILLMOOR_CLI_PROGRAM;
  std::string command = "extract";
  std::string wadArg = wad;
  std::string folderArg = folder;
  char* argv[] = {program.data(), command.data(), wadArg.data(), folderArg.data(), nullptr};
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
  std::this_thread::sleep_for(delay);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
}

TEST(CliExtractKilled, LeavesWholeFilesAndNoTemporaryOne) {
  TempDir dir;
  const std::string earlier = WadOf('A', dir);
  const std::string later = WadOf('B', dir);
  std::map<std::string, int> indexOf;
  for (int i = 0; i < kEntries; ++i) indexOf[EntryPath(i)] = i;

  const int delaysMs[] = {0, 5, 10, 20, 35, 50, 80, 120};
  for (const int delayMs : delaysMs) {
    for (const bool overEarlier : {false, true}) {
      const std::string out = dir / "out";
      fs::remove_all(out);
      if (overEarlier) ExtractInProcess(earlier, out);
      ExtractAndKillAfter(later, out, std::chrono::milliseconds(delayMs));
      const std::string what = std::to_string(delayMs) + (overEarlier ? " ms, over" : " ms");

      int files = 0;
      int temporaries = 0;
      if (fs::exists(out)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out)) {
          const std::string name = entry.path().lexically_relative(out);
          if (entry.is_directory()) continue;
          if (IsTemporaryFileName(entry.path().filename().string())) {
            ++temporaries;
            continue;
          }
          const auto found = indexOf.find(name);
          ASSERT_NE(found, indexOf.end()) << what << ": a stray file " << name;
          const std::string content = testing::ReadFile(entry.path());
          EXPECT_TRUE(content == Content('B', found->second) ||
                      (overEarlier && content == Content('A', found->second)))
              << what << ": " << name << " is cut, " << content.size() << " bytes";
          ++files;
        }
      }
      if (overEarlier) {
        EXPECT_EQ(files, kEntries) << what;
      }
      EXPECT_LE(temporaries, 1) << what;
      if (temporaries > 0) {
        ExtractInProcess(later, out);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out)) {
          EXPECT_FALSE(IsTemporaryFileName(entry.path().filename().string())) << what;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillmoor
