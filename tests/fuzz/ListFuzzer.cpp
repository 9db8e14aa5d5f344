// Any bytes as a wad: listing and loading either fail with an input/output error or give one
// line, and one block of the size its record says, per entry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <variant>

#include "FuzzInput.h"
#include "cli/ListCommand.h"
#include "io/IoError.h"
#include "wad/WadImage.h"

using namespace quillmoor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzing::Scratch scratch;
  const std::string wad = scratch.Write("x.wad", fuzzing::Bytes(data, size));
  FileSystem& files = NativeFileSystem();

  std::ostringstream out;
  try {
    ListWad(wad, out, files);
  } catch (const IoError&) {
    return 0;
  }
  WadImage image;
  LoadWad(image, files.OpenForReading(wad), wad);  // must load what lists
  const std::string lines = out.str();
  fuzzing::Require(std::count(lines.begin(), lines.end(), '\n') == image.Count,
                   "one line per entry");
  fuzzing::Require(std::count(lines.begin(), lines.end(), '\t') == 2LL * image.Count,
                   "two tabs per line: a name can't forge fields");
  for (std::int32_t i = 0; i < image.Count; ++i) {
    const FileRange* range = std::get_if<FileRange>(&image.Data[i]);
    fuzzing::Require(range == nullptr || range->position == image.Entries[i].Offset,
                     "a block is read from its own offset");
  }
  return 0;
}
