#include "cli/PrintableText.h"

#include <optional>

#include "paths/Utf8.h"

namespace quillmoor {

namespace {

bool IsControl(char32_t character) {
  return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

void AppendEscaped(std::string& out, char32_t value) {
  constexpr const char* kDigits = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::optional<Utf8Character> character = ReadUtf8Character(text, at);
    if (!character) {
      AppendEscaped(printable, static_cast<unsigned char>(text[at]));
      ++at;
      continue;
    }
    if (IsControl(character->codePoint)) {
      AppendEscaped(printable, character->codePoint);
    } else {
      printable.append(text.substr(at, character->length));
    }
    at += character->length;
  }
  return printable;
}

}  // namespace quillmoor
