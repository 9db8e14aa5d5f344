// A few source files and any bytes as a wad, updated: a run that says it is done leaves the
// wad the plain reference update gives, in which every entry holds exactly the bytes meant
// (untouched ones their old bytes, the others their source's), or leaves the wad as it was
// when that is what the reference gives too; a refused or failed run leaves it as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "FakeHost.h"
#include "FuzzInput.h"
#include "ReferenceUpdate.h"
#include "cli/ListCommand.h"
#include "io/IoError.h"
#include "operations/Update.h"
#include "paths/FileListing.h"
#include "wad/WadImage.h"

using namespace quillmoor;

namespace {

// Source names that reach the update's different matching rules.
constexpr const char* kSourceNames[] = {"a", "B.dat", "maps/x.dat", "cars/car.tex", "deep/er/y"};
constexpr int kSourceNameCount = 5;

// The input read from its end: the last byte chooses up to three source files, and each takes
// its content (of up to 31 bytes) from the bytes before; what is left in front is the wad. So
// a wad alone, with one byte behind it, is a seed.
class TailReader {
 public:
  explicit TailReader(std::string_view input) : input_(input) {}

  int Byte() {
    if (input_.empty()) return 0;
    const auto byte = static_cast<unsigned char>(input_.back());
    input_.remove_suffix(1);
    return byte;
  }
  std::string_view Bytes(std::size_t count) {
    count = std::min(count, input_.size());
    const std::string_view bytes = input_.substr(input_.size() - count);
    input_.remove_suffix(count);
    return bytes;
  }
  std::string_view Rest() const { return input_; }

 private:
  std::string_view input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::Scratch scratch;
  TailReader input(fuzzing::Bytes(data, size));
  std::filesystem::remove_all(scratch / "src");
  const int choice = input.Byte();
  for (int i = 0; i <= choice % 3; ++i) {
    const char* name = kSourceNames[(choice / 3 + i * 2) % kSourceNameCount];
    scratch.Write(std::string("src/") + name, input.Bytes(input.Byte() % 32));
  }
  const std::string before(input.Rest());
  testing::FakeHost host;
  host.sourceText = scratch / "src";
  host.wadText = scratch.Write("x.wad", before);
  ProgramState state;
  bool done = false;
  try {
    RunUpdate(host, state, NativeFileSystem());
    done = host.messages.empty();
  } catch (const IoError&) {
  }
  if (!done) {
    fuzzing::Require(testing::ReadFile(host.wadText) == before, "a wad not updated stays");
    return 0;
  }
  std::ostringstream out;
  ListWad(host.wadText, out, NativeFileSystem());  // an updated wad must list and load
  WadImage image;
  LoadWad(image, NativeFileSystem().OpenForReading(host.wadText), host.wadText);

  // The reference builds the whole wad in memory: a wad made sparse and huge by far offsets
  // is checked for loading only.
  if (std::filesystem::file_size(host.wadText) > (1U << 24)) return 0;
  const std::optional<std::vector<testing::PlainEntry>> old = testing::PlainEntriesOf(before);
  fuzzing::Require(old.has_value(), "a wad the update took is one the reference reads");
  const std::string sourceText = scratch / "src";
  const std::vector<testing::PlainEntry> meant = testing::PlainUpdate(
      *old, "x.wad", sourceText, "src", ListFiles(sourceText, "*.*", true, false, 63), false);
  fuzzing::Require(testing::EveryEntryReadsItsData(meant),
                   "an update that is done gives every entry the bytes meant");
  const std::string after = testing::ReadFile(host.wadText);
  fuzzing::Require(
      after == testing::WadBytes(meant) || (after == before && meant == *old),
      "an update that is done writes the reference's wad, or none when nothing changes");
  return 0;
}
