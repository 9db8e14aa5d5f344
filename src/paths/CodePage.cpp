#include "paths/CodePage.h"

#include <algorithm>
#include <array>

#include "paths/Utf8.h"

namespace quillmoor {
namespace {

// The characters of the bytes 0x80-0x9F, where Windows-1252 differs from Latin-1. The five
// bytes it leaves undefined keep the control character of their own number.
const std::array<char32_t, 32>& CharactersOf80To9F() {
  static constexpr std::array<char32_t, 32> kCharacters = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80-0x87
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88-0x8F
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90-0x97
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98-0x9F
  };
  return kCharacters;
}

char32_t CharacterOfByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return CharactersOf80To9F()[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ByteOfCharacter(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<unsigned char>(character);
  }
  const auto& table = CharactersOf80To9F();
  const auto found = std::find(table.begin(), table.end(), character);
  if (found == table.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (found - table.begin()));
}

// Every character of the code page lies below U+10000, so three bytes are the most it takes.
void AppendUtf8(std::string& text, char32_t character) {
  if (character < 0x80) {
    text += static_cast<char>(character);
  } else if (character < 0x800) {
    text += static_cast<char>(0xC0 | (character >> 6));
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (character >> 12));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  }
}

char LowerCaseByte(unsigned char byte) {
  const bool asciiCapital = byte >= 'A' && byte <= 'Z';
  const bool latinCapital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;  // 0xD7 is ×
  if (asciiCapital || latinCapital) return static_cast<char>(byte + 0x20);
  switch (byte) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(byte + 0x10);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
    default:
      return static_cast<char>(byte);
  }
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) AppendUtf8(text, CharacterOfByte(static_cast<unsigned char>(byte)));
  return text;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<Utf8Character> character = ReadUtf8Character(text, at);
    if (!character) return std::nullopt;
    const std::optional<unsigned char> byte = ByteOfCharacter(character->codePoint);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    at += character->length;
  }
  return bytes;
}

std::string LowerCase1252(std::string_view bytes) {
  std::string lowered;
  lowered.reserve(bytes.size());
  for (const char byte : bytes) lowered += LowerCaseByte(static_cast<unsigned char>(byte));
  return lowered;
}

}  // namespace quillmoor
