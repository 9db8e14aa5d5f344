#include "operations/SourceKind.h"

namespace quillmoor {

namespace {

// The character fromEnd places before the end, or the first one when the text is shorter.
char CharacterFromEnd(std::string_view text, std::size_t fromEnd) {
  return text.size() > fromEnd ? text[text.size() - fromEnd] : text.front();
}

}  // namespace

bool NamesASourceFile(std::string_view sourceText) {
  if (sourceText.empty()) return false;
  return CharacterFromEnd(sourceText, 4) == '.' || CharacterFromEnd(sourceText, 3) == '.';
}

}  // namespace quillmoor
