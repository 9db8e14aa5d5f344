// String operations on paths: they never touch the file system.
#pragma once

#include <string>
#include <string_view>

namespace quillmoor {

// Entry names inside a wad always separate their folders with a backslash.
inline constexpr char kEntrySeparator = '\\';

// File-system paths (fields, settings, listings) use the platform's own separator.
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// s without any of its NUL characters, the others in their order.
std::string WithoutNul(std::string_view s);

// The longest prefix of s that ends with the separator; empty when s holds none.
std::string FolderPart(std::string_view s, char separator = kNativeSeparator);

// The part of s behind its last separator; all of s when it holds none.
std::string FileNamePart(std::string_view s, char separator = kNativeSeparator);

}  // namespace quillmoor
