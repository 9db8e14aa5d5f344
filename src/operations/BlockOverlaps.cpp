#include "operations/BlockOverlaps.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace quillmoor {

namespace {

// The bytes compared at a time where two blocks overlap.
constexpr std::int64_t kComparedAtOnce = 1 << 16;

// Where an entry's data comes from, as a position in one file: equal sources and equal
// distances between data and block mean equal bytes wherever the two blocks overlap.
struct DataPlace {
  const std::string* file;  // nullptr for the loaded wad; unused for bytes in memory
  std::int64_t distance;    // the data's position in its file minus the block's new offset
};

class MeantBytes {
 public:
  MeantBytes(const WadImage& image, FileSystem& fileSystem)
      : image_(image), fileSystem_(fileSystem) {}

  // Whether entries a and b are meant to hold the same bytes at the file positions
  // [from, from + length), which both their blocks cover.
  bool Agree(std::size_t a, std::size_t b, std::int64_t from, std::int64_t length) {
    if (SamePlace(a, b)) return true;
    std::string bytesOfA;
    std::string bytesOfB;
    for (std::int64_t done = 0; done < length; done += kComparedAtOnce) {
      const std::int64_t part = std::min(kComparedAtOnce, length - done);
      Read(a, from + done, part, bytesOfA);
      Read(b, from + done, part, bytesOfB);
      if (bytesOfA != bytesOfB) return false;
    }
    return true;
  }

 private:
  bool SamePlace(std::size_t a, std::size_t b) const {
    const BlockData& dataOfA = image_.Data[a];
    const BlockData& dataOfB = image_.Data[b];
    if (dataOfA.index() != dataOfB.index() || std::holds_alternative<std::string>(dataOfA)) {
      return false;
    }
    const DataPlace placeOfA = PlaceOf(a);
    const DataPlace placeOfB = PlaceOf(b);
    const bool sameFile =
        placeOfA.file == placeOfB.file || (placeOfA.file && *placeOfA.file == *placeOfB.file);
    return sameFile && placeOfA.distance == placeOfB.distance;
  }

  DataPlace PlaceOf(std::size_t entry) const {
    const std::int64_t offset = image_.Entries[entry].Offset;
    if (const auto* range = std::get_if<FileRange>(&image_.Data[entry])) {
      return {&range->file, range->position - offset};
    }
    return {nullptr, std::get<LoadedRange>(image_.Data[entry]).position - offset};
  }

  // The length bytes meant for entry at the file positions from on.
  void Read(std::size_t entry, std::int64_t from, std::int64_t length, std::string& into) {
    const std::int64_t within = from - image_.Entries[entry].Offset;
    into.resize(static_cast<std::size_t>(length));
    const BlockData& data = image_.Data[entry];
    if (const auto* bytes = std::get_if<std::string>(&data)) {
      into.assign(*bytes, static_cast<std::size_t>(within), static_cast<std::size_t>(length));
    } else if (const auto* range = std::get_if<FileRange>(&data)) {
      const std::unique_ptr<File> source = fileSystem_.OpenForReading(range->file);
      source->ReadAt(static_cast<std::int32_t>(range->position + within), into);
      source->Close();
    } else {
      const auto position = std::get<LoadedRange>(data).position + within;
      image_.Loaded->ReadAt(static_cast<std::int32_t>(position), into);
    }
  }

  const WadImage& image_;
  FileSystem& fileSystem_;
};

// A block's start or end, as the sweep meets them.
struct Edge {
  std::int64_t position;
  bool starts;
  std::size_t entry;
};

std::vector<Edge> EdgesOfBlocks(const WadImage& image) {
  std::vector<Edge> edges;
  for (std::size_t i = 0; i < image.Entries.size(); ++i) {
    const WadDirectoryEntry& entry = image.Entries[i];
    if (entry.Size <= 0) continue;
    edges.push_back({entry.Offset, true, i});
    edges.push_back({static_cast<std::int64_t>(entry.Offset) + entry.Size, false, i});
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
    return a.position != b.position ? a.position < b.position : a.starts < b.starts;
  });
  return edges;
}

}  // namespace

bool EveryEntryKeepsItsBytes(const WadImage& image, FileSystem& fileSystem) {
  MeantBytes meant(image, fileSystem);
  // The blocks that cover the stretch between two edges; the last of them in directory order
  // is the one whose bytes are written there, and every other must agree with it.
  std::set<std::size_t> covering;
  const std::vector<Edge> edges = EdgesOfBlocks(image);
  for (std::size_t k = 0; k < edges.size(); ++k) {
    if (edges[k].starts) {
      covering.insert(edges[k].entry);
    } else {
      covering.erase(edges[k].entry);
    }
    if (covering.size() < 2 || k + 1 == edges.size()) continue;
    const std::int64_t from = edges[k].position;
    const std::int64_t length = edges[k + 1].position - from;
    if (length == 0) continue;
    const std::size_t written = *covering.rbegin();
    for (const std::size_t other : covering) {
      if (other != written && !meant.Agree(other, written, from, length)) return false;
    }
  }
  return true;
}

}  // namespace quillmoor
