// The plainest possible version of what an update means, for tests and fuzz targets to hold
// the engine to: the whole wad as a list of entries with their bytes, every source file
// judged by the rules by scanning strings, every entry scanned for every source, every offset
// moved by hand, and every block written at its offset, the later one winning where two
// overlap. It shares nothing with the engine's index, offset bookkeeping or streaming.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillmoor::testing {

struct PlainEntry {
  std::string name;
  std::int64_t offset;
  std::int64_t size;
  std::string data;
  // The 128 bytes of the name field as read, bytes behind the name's end included, which a
  // record keeps; empty for an entry the update adds, whose field is the name and NULs.
  std::string field;
  bool operator==(const PlainEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PlainEntry& entry);

// The entries of the wad whose bytes are given, each with the bytes it reads; nothing when
// its directory or a block lies beyond the end.
std::optional<std::vector<PlainEntry>> PlainEntriesOf(const std::string& wadBytes);

// The update of one wad, named wadFile, by the sources: the files of the folder sourceText,
// whose own name is ownName, or, with singleFile, the one file sourceText.
std::vector<PlainEntry> PlainUpdate(std::vector<PlainEntry> entries, const std::string& wadFile,
                                    const std::string& sourceText, const std::string& ownName,
                                    const std::vector<std::string>& sources, bool singleFile);

// The wad the entries make: records in order, then each block at its offset, the later block
// winning where two overlap; gaps are zeros.
std::string WadBytes(const std::vector<PlainEntry>& entries);

// Whether every entry of the wad the entries make reads the bytes meant for it.
bool EveryEntryReadsItsData(const std::vector<PlainEntry>& entries);

}  // namespace quillmoor::testing
