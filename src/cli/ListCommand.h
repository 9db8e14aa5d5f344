#pragma once

#include <ostream>
#include <string>

namespace quillmoor {

class FileSystem;

// Writes one line per entry of the wad, in directory order: offset, size and name, separated
// by tabs, the name as stored (backslashes kept) spelled in UTF-8, its control characters
// written as \xHH. Every entry is checked against the file before the first line is written,
// so a broken wad prints nothing.
void ListWad(const std::string& wadName, std::ostream& out, FileSystem& fileSystem);

}  // namespace quillmoor
