// Which entry of a wad a source file replaces: the first entry, in directory order, whose
// name fits the source's match key. Built once per wad, so a run costs one look-up per source
// file instead of a scan of the whole directory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "operations/UpdateSources.h"
#include "wad/WadFormat.h"

namespace quillmoor {

class MatchIndex {
 public:
  explicit MatchIndex(const std::vector<WadDirectoryEntry>& entries);

  // The first entry that source matches: by the whole name or by the file name, which for a
  // qualifying or race source must lie below a "qualifying" or "race" folder.
  std::optional<std::size_t> FirstMatch(const UpdateSource& source) const;

  // The first entry whose name, lower-cased, is lowerName.
  std::optional<std::size_t> FirstNamed(const std::string& lowerName) const;

  // Takes in the entry added at index (behind every entry already taken in).
  void Add(std::size_t index, const std::string& name);

 private:
  using FirstByKey = std::unordered_map<std::string, std::size_t>;
  FirstByKey wholeNames_;
  FirstByKey fileNames_;
  FirstByKey qualifyingFileNames_;
  FirstByKey raceFileNames_;
};

}  // namespace quillmoor
