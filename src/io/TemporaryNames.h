// The names of Quillmoor's own temporary files. A new file that will replace NAME is written
// beside it as ".NAME.quillmoor-PID-XXXXXX" (PID the writing process, XXXXXX random), where
// the platform can't keep it unnamed; so a later run can tell what an earlier one left, and
// creation can leave such files out of a new wad.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// ".NAME.quillmoor-PID-": what the temporary files of process pid for target NAME begin with.
std::string TemporaryNamePrefix(std::string_view targetFileName, long pid);

// Whether fileName (without folder) is a temporary file of Quillmoor's.
bool IsTemporaryFileName(std::string_view fileName);

// The process that wrote the temporary file fileName for target NAME; nothing when fileName
// is not one of NAME's temporary files.
std::optional<long> TemporaryFileWriter(std::string_view fileName, std::string_view targetFileName);

}  // namespace quillmoor
