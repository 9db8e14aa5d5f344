#include "WadBuilder.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "paths/FileSystemPath.h"

namespace quillmoor::testing {

namespace {

void Put(std::string& file, std::int64_t position, const std::string& bytes) {
  const auto end = static_cast<std::size_t>(position) + bytes.size();
  if (file.size() < end) file.resize(end, '\0');
  file.replace(static_cast<std::size_t>(position), bytes.size(), bytes);
}

std::string RecordBytes(const std::string& name, std::int32_t offset, std::int32_t size) {
  std::string record = name.substr(0, 128);
  record.resize(128, '\0');
  return record + Int32Bytes(offset) + Int32Bytes(size);
}

}  // namespace

std::string Int32Bytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

WadBuilder& WadBuilder::Entry(std::string name, std::string data) {
  const auto size = static_cast<std::int32_t>(data.size());
  records_.push_back({std::move(name), 0, size, std::move(data)});
  return *this;
}

WadBuilder& WadBuilder::Record(std::string name, std::int32_t offset, std::int32_t size) {
  records_.push_back({std::move(name), offset, size, std::nullopt});
  return *this;
}

WadBuilder& WadBuilder::Bytes(std::int64_t position, std::string bytes) {
  bytes_.emplace_back(position, std::move(bytes));
  return *this;
}

WadBuilder& WadBuilder::Count(std::int32_t count) {
  count_ = count;
  return *this;
}

WadBuilder& WadBuilder::TruncateTo(std::int64_t length) {
  length_ = length;
  return *this;
}

std::string WadBuilder::Build() const {
  std::string file = Int32Bytes(count_.value_or(static_cast<std::int32_t>(records_.size())));
  auto next = static_cast<std::int32_t>(4 + 136 * records_.size());
  for (const PlannedRecord& record : records_) {
    const std::int32_t offset = record.data ? next : record.offset;
    file += RecordBytes(record.name, offset, record.size);
    if (record.data) next += record.size;
  }
  next = static_cast<std::int32_t>(4 + 136 * records_.size());
  for (const PlannedRecord& record : records_) {
    if (!record.data) continue;
    Put(file, next, *record.data);
    next += record.size;
  }
  for (const auto& [position, bytes] : bytes_) Put(file, position, bytes);
  if (length_) file.resize(static_cast<std::size_t>(*length_), '\0');
  return file;
}

std::string WadBuilder::WriteTo(const std::string& file) const {
  std::filesystem::create_directories(PathFromText(file).parent_path());
  std::ofstream out(PathFromText(file), std::ios::binary | std::ios::trunc);
  const std::string bytes = Build();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file);
  return file;
}

}  // namespace quillmoor::testing
