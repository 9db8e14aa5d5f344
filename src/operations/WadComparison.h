// What differs between two wads, or between a wad and a folder such as its extraction.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "io/FileSystem.h"

namespace quillmoor {

// One entry of a compared side: the key it is paired by (its name lower-cased in the code
// page), the name shown (UTF-8) and its size.
struct ComparedEntry {
  std::string key;
  std::string shownName;
  std::int64_t size;
};

// A wad or a folder seen as entries, whose bytes are read one entry at a time.
class ComparedSide {
 public:
  virtual ~ComparedSide() = default;
  virtual const std::vector<ComparedEntry>& Entries() const = 0;
  // Replaces into with the bytes of entry index.
  virtual void ReadEntry(std::size_t index, std::string& into) = 0;
};

// The entries of a wad in directory order; every block is checked against the file first, so
// a damaged wad fails (ReadBeyondEnd) before anything is compared.
std::unique_ptr<ComparedSide> WadSide(const std::string& wadName, FileSystem& fileSystem);

// The files below folder in listing order, each named as the entry it would be in a wad (a
// path the code page can't spell pairs with no entry).
std::unique_ptr<ComparedSide> FolderSide(const std::string& folder, FileSystem& fileSystem);

enum class DifferenceKind { OnlyInFirst, OnlyInSecond, Size, Bytes };

struct EntryDifference {
  DifferenceKind kind;
  std::string shownName;
  std::int64_t firstSize;
  std::int64_t secondSize;
};

// The differences of the two sides: entries are paired by key, the n-th of a name on one side
// with the n-th on the other; pairs of one size are compared byte for byte. In the first
// side's order, then the entries only the second has in its order.
std::vector<EntryDifference> CompareSides(ComparedSide& first, ComparedSide& second);

}  // namespace quillmoor
