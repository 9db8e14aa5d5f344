#include "operations/TrackNames.h"

#include "paths/PathText.h"

namespace quillmoor {

std::vector<std::string> TrackWadPaths(const std::string& gameFolder) {
  std::vector<std::string> paths;
  for (const std::string_view track : TrackNames) {
    paths.push_back(gameFolder + kNativeSeparator + std::string(track) + ".wad");
  }
  return paths;
}

}  // namespace quillmoor
