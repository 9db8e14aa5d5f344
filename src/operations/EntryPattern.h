// Patterns over entry names, as archivers take them on their command lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

class EntryPattern {
 public:
  // pattern is UTF-8 text: '*' stands for any run of characters (separators included), '?'
  // for one character, '/' and '\' for either separator; case is ignored as the game's code
  // page lower-cases. A pattern the code page can't spell matches nothing.
  explicit EntryPattern(std::string_view pattern);

  // Whether the entry name (code page bytes) matches as a whole, or one of its folders does,
  // so that a folder's name takes in everything below it.
  bool Matches(std::string_view entryName) const;

 private:
  std::optional<std::string> lowered_;
};

}  // namespace quillmoor
