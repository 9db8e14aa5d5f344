// Pipes, devices and sockets given where a wad or a source file belongs: refused at once with
// their name, never read (a pipe would make the run wait forever) and never replaced.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "CliOutcome.h"
#include "TempDir.h"
#include "WadBuilder.h"

namespace quillmoor {
namespace {

using testing::ReadFile;
using testing::RunCommand;
using testing::TempDir;
using testing::WadBuilder;

TEST(CliSpecialFiles, RefusesPipesAndDevicesAsWadsSourcesAndTargetsByName) {
#ifdef _WIN32
  GTEST_SKIP() << "pipes and device nodes in a folder are POSIX's";
#else
  TempDir dir;
  const std::string pipe = dir / "pipe.wad";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(dir / "x.wad");
  const std::string wadBytes = ReadFile(wad);
  dir.WriteFile("mod/a.dat", "new");
  const std::string sourcePipe = dir / "mod/b.dat";
  ASSERT_EQ(::mkfifo(sourcePipe.c_str(), 0600), 0);
  std::filesystem::create_symlink(pipe, dir / "link.wad");
  const std::string refusal = "Sorry but this is not a file but a device, a pipe or a socket: ";
  struct Case {
    std::vector<std::string> args;
    std::string named;
  };
  const std::vector<Case> cases = {
      {{"list", pipe}, pipe},
      {{"list", "/dev/zero"}, "/dev/zero"},
      {{"test", pipe}, pipe},
      {{"extract", pipe, dir / "out"}, pipe},
      {{"extract", "-O", pipe}, pipe},
      {{"update", pipe, dir / "mod"}, pipe},
      {{"update", wad, dir / "mod"}, sourcePipe},
      {{"update", wad, "/dev/null"}, "/dev/null"},
      {{"create", dir / "mod", dir / "link.wad"}, sourcePipe},
  };
  for (const Case& c : cases) {
    const testing::Outcome outcome = RunCommand(c.args);
    EXPECT_EQ(outcome.status, 1) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(outcome.err, refusal + c.named + "\n") << c.args[0] << " " << c.args[1];
  }
  // With the source folder's pipe gone, the link to a pipe is still no file to replace.
  std::filesystem::remove(sourcePipe);
  const testing::Outcome create = RunCommand({"create", dir / "mod", dir / "link.wad"});
  EXPECT_EQ(create.err, refusal + dir / "link.wad" + "\n");
  struct stat status {};
  ASSERT_EQ(::stat(pipe.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_EQ(ReadFile(wad), wadBytes);
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
#endif
}

}  // namespace
}  // namespace quillmoor
