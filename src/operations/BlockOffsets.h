// The offsets of a wad's blocks while an update resizes and adds blocks. Resizing a block
// moves every block behind it; adding one moves them all. Done naively, each such move walks
// every offset, and a run of thousands of source files over thousands of entries becomes
// quadratic. Here a wad whose blocks are laid out soundly (behind the directory, none starting
// inside another, no two non-empty ones at one offset) keeps its entries in offset order, and
// each move is a range addition over that order: logarithmic. A wad laid out otherwise is
// handled the plain way, with the same results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wad/WadFormat.h"

namespace quillmoor {

class BlockOffsets {
 public:
  // additionsAhead: how many blocks may be added at most.
  BlockOffsets(const std::vector<WadDirectoryEntry>& entries, std::size_t additionsAhead);

  std::int64_t OffsetOf(std::size_t entry) const;

  // Entry m's block changes size: every block starting behind it moves by the difference. When
  // m was empty, the blocks that shared its offset move too, so none overlaps m's new data.
  void Resize(std::size_t m, std::int64_t oldSize, std::int64_t newSize);

  // A new entry (the next index) whose block of size bytes opens the data region, right
  // behind the directory that now holds one more record; every other block moves by
  // size + 136.
  void AddInFront(std::int64_t size);

  // Every entry's offset, by entry index.
  std::vector<std::int64_t> All() const;

 private:
  void ResizeInOrder(std::size_t m, std::int64_t oldSize, std::int64_t newSize);
  void ResizePlainly(std::size_t m, std::int64_t oldSize, std::int64_t newSize);
  // Adds value to the offsets in slots from..end.
  void AddFrom(std::size_t from, std::int64_t value);
  std::int64_t ValueAt(std::size_t slot) const;
  // The first slot in use whose offset is above (or, with orEqual, at least) offset.
  std::size_t FirstSlotAbove(std::int64_t offset, bool orEqual) const;

  bool inOrder_;
  std::size_t count_;
  // Plain handling: the offsets themselves.
  std::vector<std::int64_t> offsets_;
  // Ordered handling: entries sit in slots by offset, added entries in front of the others;
  // a Fenwick tree over the slots holds the offset differences from slot to slot.
  std::vector<std::int64_t> tree_;
  std::vector<std::size_t> slotOf_;
  std::vector<std::size_t> entryAt_;
  std::size_t firstSlot_;
};

}  // namespace quillmoor
