// The source files of an update, each with what decides the entry it replaces: its match
// mode and its match key.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillmoor {

enum class MatchMode { Plain, Qualifying, Race };

struct UpdateSource {
  std::string path;      // the native path, to read the file from
  MatchMode mode;        // Race when the path holds "\race\", else Qualifying for "\qualifying\"
  bool underCars;        // the path holds "\cars\"
  std::string matchKey;  // lower-cased, in the game's code page
};

// The sources of a run, or the first path whose part that becomes a key or an entry name the
// game's code page cannot spell.
struct PreparedSources {
  std::vector<UpdateSource> sources;
  std::optional<std::string> unspellable;
};

// Prepares each path of sourceList. sourceText is the source field's text: the one file of
// sourceList when singleFile, else the folder it was listed from. Only the part of a path
// below the source folder (for a single file: the part its key is taken from) has to be spelt
// in the game's code page; the folders above may have any name.
PreparedSources PrepareSources(const std::string& sourceText,
                               const std::vector<std::string>& sourceList, bool singleFile);

}  // namespace quillmoor
