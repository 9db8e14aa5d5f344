// The game's code page (Windows-1252) and its meeting point with the platform's file names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// Windows-1252 bytes written as UTF-8. Every byte has a spelling: the five bytes the code page
// leaves undefined become the control characters of the same number, so the conversion can
// be undone by Utf8ToWindows1252.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252 bytes; nothing when the text is not valid UTF-8 or holds a
// character the code page cannot spell.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// Windows-1252 bytes lower-cased with the code page's own rules (not ASCII only).
std::string LowerCase1252(std::string_view bytes);

}  // namespace quillmoor
