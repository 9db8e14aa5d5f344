#include "operations/EntryPattern.h"

#include "paths/CodePage.h"

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

// Whether text matches pattern as a whole. Each '*' is given back one character at a time,
// only the last one met, so the cost stays the product of the two lengths at worst.
bool WholeMatch(std::string_view pattern, std::string_view text) {
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t starText = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starText = t;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
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
  if (WholeMatch(*lowered_, name)) return true;
  for (std::size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1)) {
    if (WholeMatch(*lowered_, std::string_view(name).substr(0, at))) return true;
  }
  return false;
}

}  // namespace quillmoor
