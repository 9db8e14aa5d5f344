#include "operations/BlockOffsets.h"

#include <algorithm>
#include <numeric>

namespace quillmoor {

namespace {

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

// Entry indices by offset (then by index).
std::vector<std::size_t> ByOffset(const std::vector<WadDirectoryEntry>& entries) {
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return entries[a].Offset < entries[b].Offset;
  });
  return order;
}

// Whether the blocks lie behind the directory, none starts inside another non-empty block and
// no two non-empty blocks start at one offset. Resizing and adding keep all of this true, and
// with it the order of the entries by offset.
bool LaidOutSoundly(const std::vector<WadDirectoryEntry>& entries,
                    const std::vector<std::size_t>& byOffset) {
  std::int64_t blockStart = DirectoryEnd(static_cast<std::int64_t>(entries.size()));
  std::int64_t blockEnd = blockStart;
  bool blockHere = false;
  for (const std::size_t i : byOffset) {
    const std::int64_t offset = entries[i].Offset;
    const std::int64_t size = entries[i].Size;
    if (offset < blockStart || (offset > blockStart && offset < blockEnd)) return false;
    if (size == 0) continue;
    if (offset == blockStart && blockHere) return false;
    blockStart = offset;
    blockEnd = offset + size;
    blockHere = true;
  }
  return true;
}

}  // namespace

BlockOffsets::BlockOffsets(const std::vector<WadDirectoryEntry>& entries,
                           std::size_t additionsAhead)
    : count_(entries.size()), firstSlot_(additionsAhead) {
  const std::vector<std::size_t> byOffset = ByOffset(entries);
  inOrder_ = LaidOutSoundly(entries, byOffset);
  if (!inOrder_) {
    for (const WadDirectoryEntry& entry : entries) offsets_.push_back(entry.Offset);
    return;
  }
  const std::size_t slots = additionsAhead + entries.size();
  tree_.assign(slots + 1, 0);
  slotOf_.assign(entries.size() + additionsAhead, kNoEntry);
  entryAt_.assign(slots, kNoEntry);
  std::int64_t previous = 0;
  for (std::size_t rank = 0; rank < byOffset.size(); ++rank) {
    const std::size_t slot = additionsAhead + rank;
    slotOf_[byOffset[rank]] = slot;
    entryAt_[slot] = byOffset[rank];
    AddFrom(slot, entries[byOffset[rank]].Offset - previous);
    previous = entries[byOffset[rank]].Offset;
  }
}

void BlockOffsets::AddFrom(std::size_t from, std::int64_t value) {
  for (std::size_t i = from + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += value;
}

std::int64_t BlockOffsets::ValueAt(std::size_t slot) const {
  std::int64_t sum = 0;
  for (std::size_t i = slot + 1; i > 0; i -= i & (~i + 1)) sum += tree_[i];
  return sum;
}

std::size_t BlockOffsets::FirstSlotAbove(std::int64_t offset, bool orEqual) const {
  std::size_t low = firstSlot_;
  std::size_t high = entryAt_.size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const std::int64_t value = ValueAt(middle);
    if (value > offset || (orEqual && value == offset)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

std::int64_t BlockOffsets::OffsetOf(std::size_t entry) const {
  return inOrder_ ? ValueAt(slotOf_[entry]) : offsets_[entry];
}

void BlockOffsets::Resize(std::size_t m, std::int64_t oldSize, std::int64_t newSize) {
  if (newSize == oldSize) return;
  if (inOrder_) {
    ResizeInOrder(m, oldSize, newSize);
  } else {
    ResizePlainly(m, oldSize, newSize);
  }
}

void BlockOffsets::ResizePlainly(std::size_t m, std::int64_t oldSize, std::int64_t newSize) {
  const std::int64_t at = offsets_[m];
  for (std::size_t j = 0; j < offsets_.size(); ++j) {
    const bool sharedWithEmpty = oldSize == 0 && j != m && offsets_[j] == at;
    if (offsets_[j] > at || sharedWithEmpty) offsets_[j] += newSize - oldSize;
  }
}

void BlockOffsets::ResizeInOrder(std::size_t m, std::int64_t oldSize, std::int64_t newSize) {
  const std::int64_t at = ValueAt(slotOf_[m]);
  if (oldSize != 0) {
    AddFrom(FirstSlotAbove(at, false), newSize - oldSize);
    return;
  }
  // m goes first among the entries at its offset, and all of those behind it move.
  const std::size_t first = FirstSlotAbove(at, true);
  const std::size_t other = entryAt_[first];
  std::swap(entryAt_[first], entryAt_[slotOf_[m]]);
  slotOf_[other] = slotOf_[m];
  slotOf_[m] = first;
  AddFrom(first + 1, newSize - oldSize);
}

void BlockOffsets::AddInFront(std::int64_t size) {
  const std::size_t added = count_++;
  const std::int64_t offset = DirectoryEnd(static_cast<std::int64_t>(count_));
  if (!inOrder_) {
    for (std::int64_t& other : offsets_) other += size + kRecordSize;
    offsets_.push_back(offset);
    return;
  }
  AddFrom(firstSlot_, size + kRecordSize);
  const std::size_t slot = --firstSlot_;
  slotOf_[added] = slot;
  entryAt_[slot] = added;
  AddFrom(slot, offset);
  AddFrom(slot + 1, -offset);
}

std::vector<std::int64_t> BlockOffsets::All() const {
  if (!inOrder_) return offsets_;
  std::vector<std::int64_t> all(count_);
  for (std::size_t slot = firstSlot_; slot < entryAt_.size(); ++slot) {
    all[entryAt_[slot]] = ValueAt(slot);
  }
  return all;
}

}  // namespace quillmoor
