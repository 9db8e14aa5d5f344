// Reading UTF-8 one character at a time: shared by the code page conversions, which refuse
// malformed text, and the folder listing, which orders file names by their characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillmoor {

struct Utf8Character {
  char32_t codePoint;
  std::size_t length;  // bytes the character takes in the text
};

// What the first byte of a sequence of two to four bytes says about it.
struct Utf8Lead {
  std::size_t length;  // bytes in the sequence
  char32_t bits;       // the code point bits the first byte carries
  char32_t smallest;   // the lowest code point that needs this many bytes
};

inline std::optional<Utf8Lead> ReadUtf8Lead(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return Utf8Lead{2, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return Utf8Lead{3, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return Utf8Lead{4, lead & 0x07u, 0x10000};
  return std::nullopt;
}

// The character whose first byte is text[at] (at < text.size()); nothing when the bytes there
// are not well-formed UTF-8: a stray continuation byte, a truncated sequence, an overlong
// form, a surrogate or a code point beyond U+10FFFF.
inline std::optional<Utf8Character> ReadUtf8Character(std::string_view text, std::size_t at) {
  const auto first = static_cast<unsigned char>(text[at]);
  if (first < 0x80) return Utf8Character{first, 1};
  const std::optional<Utf8Lead> lead = ReadUtf8Lead(first);
  if (!lead) return std::nullopt;
  const std::size_t length = lead->length;
  char32_t codePoint = lead->bits;
  if (text.size() - at < length) return std::nullopt;

  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < lead->smallest || codePoint > 0x10FFFF || surrogate) return std::nullopt;
  return Utf8Character{codePoint, length};
}

}  // namespace quillmoor
