// The one place where file-system paths and wad entry names are turned into each other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// The native path spelled by entry-name text: backslashes become the platform's separator and
// the code page's bytes become the platform's file-name encoding.
std::string NativePathFromEntryText(std::string_view entryText);

// The entry-name text spelled by a native path: the platform's separators become backslashes
// and the file name's encoding becomes the code page's bytes. Nothing when the code page
// cannot spell the path.
std::optional<std::string> EntryTextFromNativePath(std::string_view nativePath);

}  // namespace quillmoor
