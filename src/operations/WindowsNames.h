// Which entry names can be files on Windows, where the game reads them.
#pragma once

#include <string_view>

namespace quillmoor {

// Whether Windows can hold a file at the path the entry name (code page bytes) spells: every
// part between separators ('\' or '/') is non-empty, holds no control character and none of
// < > : " | ? *, doesn't end with a dot or a space, and isn't a device name (CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9, also with an extension or a superscript digit).
bool WindowsCanHoldName(std::string_view entryName);

}  // namespace quillmoor
