// What the fuzz targets share: a scratch folder of their own, and a check that aborts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "TempDir.h"

namespace quillmoor::fuzzing {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A finding: says what broke and aborts, which the fuzzer reports with the input.
inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// A temporary folder for the whole fuzzing run.
class Scratch {
 public:
  std::string Write(std::string_view name, std::string_view bytes) const {
    return dir_.WriteFile(name, bytes);
  }
  std::string operator/(std::string_view name) const { return dir_ / name; }
  const std::filesystem::path& path() const { return dir_.path(); }

 private:
  testing::TempDir dir_;
};

}  // namespace quillmoor::fuzzing
