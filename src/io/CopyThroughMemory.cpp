#include "io/CopyThroughMemory.h"

#include <algorithm>
#include <string>

namespace quillmoor {

void CopyThroughMemory(File& source, std::int32_t sourcePosition, File& target,
                       std::int32_t position, std::int32_t size) {
  constexpr std::int32_t kChunkSize = 1 << 20;
  std::string chunk;
  for (std::int32_t done = 0; done < size;) {
    chunk.resize(static_cast<std::size_t>(std::min(size - done, kChunkSize)));
    source.ReadAt(sourcePosition + done, chunk);
    target.WriteAt(position + done, chunk);
    done += static_cast<std::int32_t>(chunk.size());
  }
}

}  // namespace quillmoor
