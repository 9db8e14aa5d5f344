// The source files of an update, each with what decides the entry it replaces or the entry it
// becomes: its match mode, its key, and the track whose folder holds it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillmoor {

enum class MatchMode { Plain, Qualifying, Race };

// Which part of an entry's lower-cased name a source's key is compared with.
enum class MatchBy {
  FileName,            // the name behind the last backslash
  RaceFileName,        // the same, of an entry below a "race" folder
  QualifyingFileName,  // the same, of an entry below a "qualifying" folder
  WholeName,           // the whole name
};

struct UpdateSource {
  std::string path;  // the native path, to read the file from
  MatchMode mode;
  MatchBy matchBy;
  // Lower-cased, in the game's code page: a file name alone, or a whole name ("cars\..." or
  // "maps\TRACK\...") when the source lies below a "cars" folder or a track's folder.
  std::string matchKey;
  // The row of TrackNames whose folder holds the source: it goes into that track's wad only.
  std::optional<std::size_t> track;
};

// The sources of a run, or the first path whose part that becomes a key or an entry name the
// game's code page cannot spell.
struct PreparedSources {
  std::vector<UpdateSource> sources;
  std::optional<std::string> unspellable;
};

// Prepares the files of a source folder, each listed as the folder's text, a separator and
// the file's path below the folder. Only the folder's own name and what lies below it decide
// a file's mode, key and track, never the folders above it, so that a relative and an
// absolute spelling of one folder give the same sources. Only the part that becomes the key
// has to be spelt in the game's code page.
PreparedSources PrepareFolderSources(const std::string& folderText,
                                     const std::vector<std::string>& files);

// Prepares a single source file: race or qualifying when its path holds such a folder, keyed
// by its path from its last "cars" folder on when it lies below one, else by its file name.
PreparedSources PrepareFileSource(const std::string& file);

}  // namespace quillmoor
