#include "operations/EntryPattern.h"

#include "paths/CodePage.h"
#include "paths/Wildcards.h"

namespace quillmoor {

namespace {

// Lower-cased code page bytes with every separator written as '\'.
std::string Comparable(std::string_view bytes) {
  std::string lowered = LowerCase1252(bytes);
  for (char& c : lowered) {
    if (c == '/') c = '\\';
  }
  return lowered;
}

}  // namespace

EntryPattern::EntryPattern(std::string_view pattern) {
  if (const std::optional<std::string> bytes = Utf8ToWindows1252(pattern)) {
    lowered_ = Comparable(*bytes);
  }
}

bool EntryPattern::Matches(std::string_view entryName) const {
  if (!lowered_) return false;
  const std::string name = Comparable(entryName);
  if (MatchesWildcards<char>(name, *lowered_)) return true;
  for (std::size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1)) {
    if (MatchesWildcards<char>(std::string_view(name).substr(0, at), *lowered_)) return true;
  }
  return false;
}

}  // namespace quillmoor
