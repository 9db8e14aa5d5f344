// Matching a whole text against a pattern of '*' (any run of characters) and '?' (exactly one),
// for the file listing's masks and the extraction's entry patterns alike.
#pragma once

#include <string_view>

namespace quillmoor {

// Whether text matches pattern as a whole; both are compared as they are (lower- or
// upper-case them first to ignore case). Each '*' is given back one character at a time, only
// the last one met, so the cost stays the product of the two lengths at worst.
template <typename Character>
bool MatchesWildcards(std::basic_string_view<Character> text,
                      std::basic_string_view<Character> pattern) {
  constexpr auto kNone = std::basic_string_view<Character>::npos;
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t lastStar = kNone;
  std::size_t textAtLastStar = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == Character('?') || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == Character('*')) {
      lastStar = p++;
      textAtLastStar = t;
    } else if (lastStar != kNone) {
      p = lastStar + 1;
      t = ++textAtLastStar;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == Character('*')) ++p;
  return p == pattern.size();
}

}  // namespace quillmoor
