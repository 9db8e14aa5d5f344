// UTF-8 text and the UTF-16 text the wide Windows API takes and gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// The UTF-16 spelling of UTF-8 text; nothing when the text is not well-formed UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view text);

// The UTF-8 spelling of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace quillmoor
