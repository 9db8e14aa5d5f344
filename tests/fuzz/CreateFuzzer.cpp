// A folder of a few files made from the input, packed into a wad and read back: a creation
// that is done gives one entry per file, named by its path below the folder, in listing
// order, holding exactly its bytes, with the blocks one after the other behind the directory.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FakeHost.h"
#include "FuzzInput.h"
#include "ReferenceUpdate.h"
#include "io/IoError.h"
#include "operations/Creation.h"
#include "paths/EntryNames.h"
#include "paths/FileListing.h"

using namespace quillmoor;

namespace {

// Names that meet: nested, dotted, upper and lower case, beyond ASCII, hidden.
constexpr const char* kFileNames[] = {
    "a", "B.dat", "maps/x.dat", "cars/car.tex", "deep/er/y", ".hidden", "\xC3\xA9t\xC3\xA9.txt",
    "A"};
constexpr std::size_t kFileNameCount = sizeof(kFileNames) / sizeof(kFileNames[0]);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::Scratch scratch;
  std::string_view input = fuzzing::Bytes(data, size);
  auto byte = [&input]() -> unsigned {
    if (input.empty()) return 0;
    const auto value = static_cast<unsigned char>(input.front());
    input.remove_prefix(1);
    return value;
  };
  std::filesystem::remove_all(scratch / "src");
  std::filesystem::remove(scratch / "x.wad");
  std::filesystem::create_directories(scratch / "src");
  for (unsigned files = 1 + byte() % 5; files > 0; --files) {
    const char* name = kFileNames[byte() % kFileNameCount];
    const std::size_t length = std::min<std::size_t>(byte() % 64, input.size());
    scratch.Write(std::string("src/") + name, input.substr(0, length));
    input.remove_prefix(length);
  }
  testing::FakeHost host;
  host.sourceText = scratch / "src";
  host.saveAnswers = {scratch / "x.wad"};
  ProgramState state;
  bool done = false;
  try {
    CreateWad(host, state, NativeFileSystem());
    done = host.messages.empty();
  } catch (const IoError&) {
  }
  if (!done) return 0;
  const std::optional<std::vector<testing::PlainEntry>> entries =
      testing::PlainEntriesOf(testing::ReadFile(scratch / "x.wad"));
  fuzzing::Require(entries.has_value(), "a wad created reads back");
  const std::string folder = scratch / "src";
  const std::vector<std::string> files = ListFiles(folder, "*.*", true, false, 63);
  fuzzing::Require(entries->size() == files.size(), "one entry per file");
  std::int64_t offset = 4 + 136 * static_cast<std::int64_t>(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    const testing::PlainEntry& entry = (*entries)[i];
    fuzzing::Require(
        entry.name == EntryTextFromNativePath(files[i].substr(folder.size() + 1)).value_or(""),
        "each entry named by its file's path below the folder");
    fuzzing::Require(entry.data == testing::ReadFile(files[i]), "each entry holds its file");
    fuzzing::Require(entry.offset == offset, "the blocks follow each other");
    offset += entry.size;
  }
  return 0;
}
