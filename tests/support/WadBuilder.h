// Writes wad files of any byte layout, sound or broken, for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmoor::testing {

class WadBuilder {
 public:
  // An entry whose data is laid out as creation lays it: behind the directory, blocks one
  // after the other in the order the entries were added.
  WadBuilder& Entry(std::string name, std::string data);
  // A record with any offset and size, and no data of its own.
  WadBuilder& Record(std::string name, std::int32_t offset, std::int32_t size);
  // Raw bytes at a file position, written after the count, directory and entry data.
  WadBuilder& Bytes(std::int64_t position, std::string bytes);
  // A count other than the number of records.
  WadBuilder& Count(std::int32_t count);
  // Cuts the finished file to length bytes.
  WadBuilder& TruncateTo(std::int64_t length);

  std::string Build() const;
  // Writes the wad to file, making the folders above it, and gives file back.
  std::string WriteTo(const std::string& file) const;

 private:
  struct PlannedRecord {
    std::string name;
    std::int32_t offset;
    std::int32_t size;
    std::optional<std::string> data;
  };
  std::vector<PlannedRecord> records_;
  std::vector<std::pair<std::int64_t, std::string>> bytes_;
  std::optional<std::int32_t> count_;
  std::optional<std::int64_t> length_;
};

// The little-endian bytes of a 32-bit value, as the wad format writes it.
std::string Int32Bytes(std::int32_t value);

}  // namespace quillmoor::testing
