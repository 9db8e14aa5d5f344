// Any bytes as a wad, extracted into a folder that already holds links out of it: nothing may
// appear or change outside the folder, whatever the wad's names and layout, and an extraction
// that is done leaves every entry's file holding exactly that entry's bytes (the later of two
// entries of one name standing, as it was written last).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "FakeHost.h"
#include "FuzzInput.h"
#include "ReferenceUpdate.h"
#include "io/IoError.h"
#include "operations/Extraction.h"
#include "paths/EntryNames.h"

using namespace quillmoor;
namespace fs = std::filesystem;

namespace {

// The folder extracted into, with a hard link, symbolic links to a file and a folder outside
// it, a link that leads nowhere and a folder of its own.
void PrepareFolder(const fuzzing::Scratch& scratch) {
  fs::remove_all(scratch / "out");
  fs::create_directories(scratch / "out/inner");
  fs::create_hard_link(scratch / "outside/victim", scratch / "out/hl");
  fs::create_symlink(scratch / "outside/victim", scratch / "out/sl");
  fs::create_symlink(scratch / "outside/none", scratch / "out/dl");
  fs::create_directory_symlink(scratch / "outside", scratch / "out/maps");
}

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename());
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::Scratch scratch;
  static const std::string victim = scratch.Write("outside/victim", "precious");
  PrepareFolder(scratch);
  testing::FakeHost host;
  host.wadText = scratch.Write("x.wad", fuzzing::Bytes(data, size));
  host.saveAnswers = {scratch / "out"};
  bool done = false;
  try {
    ExtractWad(host, NativeFileSystem());
    done = host.messages.empty();
  } catch (const IoError&) {
  }
  fuzzing::Require(NamesIn(scratch.path()) == std::set<std::string>{"outside", "out", "x.wad"},
                   "nothing appears beside the folder");
  fuzzing::Require(NamesIn(scratch / "outside") == std::set<std::string>{"victim"},
                   "nothing appears through a link");
  fuzzing::Require(testing::ReadFile(victim) == "precious", "nothing is written through a link");
  if (!done) return 0;
  const std::optional<std::vector<testing::PlainEntry>> entries =
      testing::PlainEntriesOf(std::string(fuzzing::Bytes(data, size)));
  fuzzing::Require(entries.has_value(), "a wad extracted is one the reference reads");
  std::map<fs::path, std::string> meant;
  for (const testing::PlainEntry& entry : *entries) {
    const fs::path file = fs::path(scratch / "out") / NativePathFromEntryText(entry.name);
    meant[file.lexically_normal()] = entry.data;
  }
  for (const auto& [file, bytes] : meant) {
    fuzzing::Require(testing::ReadFile(file.string()) == bytes,
                     "every file extracted holds its entry's bytes");
  }
  return 0;
}
