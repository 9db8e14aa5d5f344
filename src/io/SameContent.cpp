#include "io/SameContent.h"

#include <algorithm>
#include <string>

namespace quillmoor {

bool HoldSameBytes(File& one, File& other) {
  const std::int64_t length = one.Length();
  if (other.Length() != length) return false;
  constexpr std::int64_t kSlice = 1 << 20;
  std::string a;
  std::string b;
  for (std::int64_t position = 0; position < length; position += kSlice) {
    const auto size = static_cast<std::size_t>(std::min(kSlice, length - position));
    a.resize(size);
    b.resize(size);
    one.ReadAt(static_cast<std::int32_t>(position), a);
    other.ReadAt(static_cast<std::int32_t>(position), b);
    if (a != b) return false;
  }
  return true;
}

}  // namespace quillmoor
