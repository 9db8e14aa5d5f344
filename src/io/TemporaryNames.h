// The names of the files Quillmoor keeps beside a wad: its own temporary files and the backup. A
// new file that will replace NAME is written beside it as ".NAME.quillmoor-PID-XXXXXX" (PID the
// writing process, XXXXXX random), where the platform can't keep it unnamed; so a later run can
// tell what an earlier one left, and creation can leave such files out of a new wad.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// What a backup's name adds to the name of the file it keeps.
inline constexpr const char* kBackupSuffix = ".bak";

// A new name for a temporary file of process pid for target NAME: the prefix below and six
// random letters and digits.
std::string NewTemporaryFileName(std::string_view targetFileName, long pid);

// ".NAME.quillmoor-PID-": what the temporary files of process pid for target NAME begin with.
std::string TemporaryNamePrefix(std::string_view targetFileName, long pid);

// Whether fileName (without folder) is a temporary file of Quillmoor's.
bool IsTemporaryFileName(std::string_view fileName);

// The process that wrote the temporary file fileName for target NAME; nothing when fileName
// is not one of NAME's temporary files.
std::optional<long> TemporaryFileWriter(std::string_view fileName, std::string_view targetFileName);

}  // namespace quillmoor
