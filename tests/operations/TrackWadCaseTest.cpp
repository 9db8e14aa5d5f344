#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "FakeHost.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/Update.h"
#include "wad/WadDirectory.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::TempDir;
using testing::WadBuilder;

// The game finds its track wads whatever the case of their names, as Windows does; where case
// counts, the track update has to find them the same way, and still name what it adds by the
// track.
TEST(TrackUpdate, FindsTheTrackWadsWithoutRegardToCase) {
  TempDir dir;
  const std::string game = dir / "game";
  std::set<std::string> files;
  for (const std::string_view track : TrackNames) {
    std::string file = std::string(track) + ".wad";
    if (track == "monza2001") file = "Monza2001.WAD";
    if (track == "spa2001") file = "SPA2001.wad";
    WadBuilder().WriteTo(game + "/" + file);
    files.insert(file);
  }
  FakeHost host;
  host.sourceText = dir.WriteFile("mod/x.dat", "new");
  host.gamePath = game;
  ProgramState state;
  state.TrackMode = true;
  RunUpdate(host, state, NativeFileSystem());

  EXPECT_TRUE(host.messages.empty());
  std::set<std::string> filesAfter;
  for (const fs::directory_entry& entry : fs::directory_iterator(game)) {
    if (entry.path().extension() != ".bak") filesAfter.insert(entry.path().filename().string());
  }
  // The wads keep their names, beside the record of what the update replaced.
  files.insert("quillmoor-track-update.txt");
  EXPECT_EQ(filesAfter, files);
  const std::pair<const char*, const char*> renamed[] = {{"Monza2001.WAD", "monza2001"},
                                                         {"SPA2001.wad", "spa2001"}};
  for (const auto& [file, track] : renamed) {
    const WadReader reader(game + "/" + file, NativeFileSystem());
    ASSERT_EQ(reader.Entries().size(), 1u) << file;
    EXPECT_EQ(EntryName(reader.Entries()[0]), "maps\\" + std::string(track) + "\\x.dat");
  }
  EXPECT_EQ(host.StatusText(), "Update done in 0s");
}

}  // namespace
}  // namespace quillmoor
