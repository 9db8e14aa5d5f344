// The one crossing between Quillmoor's path texts (UTF-8, as everywhere in the program) and
// std::filesystem::path. Building a path from a std::string directly reads the bytes in the
// ANSI code page on Windows, which garbles every name beyond ASCII.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmoor {

// The path spelled by the UTF-8 text.
std::filesystem::path PathFromText(std::string_view text);

// The UTF-8 text of the path.
std::string TextFromPath(const std::filesystem::path& path);

}  // namespace quillmoor
