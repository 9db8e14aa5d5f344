// The names of the files Quillmoor keeps beside a wad: its own temporary files, its commit
// journals and the backup. A temporary file for NAME is "NAME.quillmoor-KIND-PID-XXXXXX.tmp":
// KIND says what it holds ("new" for a version being written, "old" for a version on its way
// out), PID is the writing process and XXXXXX random. A commit's journal is
// "quillmoor-commit-PID-XXXXXX.journal". The lock a creation holds on the name of a wad that
// doesn't exist yet is the file "NAME.quillmoor-lock", which its run removes when it ends. So a
// player sees what each file is, a later run can tell what an earlier one left, and creation
// leaves all of them out of a new wad.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor {

// What a backup's name adds to the name of the file it keeps.
inline constexpr const char* kBackupSuffix = ".bak";

// What a temporary file beside a target holds.
inline constexpr std::string_view kNewVersionKind = "new";
inline constexpr std::string_view kOldVersionKind = "old";

// A new name for a temporary file of process pid, of the given kind, for target NAME.
std::string NewTemporaryFileName(std::string_view targetFileName, std::string_view kind, long pid);

// A new name for a commit journal of process pid.
std::string NewJournalFileName(long pid);

// Whether fileName (without folder) is a commit journal's.
bool IsJournalFileName(std::string_view fileName);

// The name of the lock file that a creation of targetFileName holds while it creates it.
std::string NameLockFileName(std::string_view targetFileName);

// Whether fileName (without folder) is a lock file of a creation.
bool IsNameLockFileName(std::string_view fileName);

// Whether fileName (without folder) is a temporary file, a journal or a lock file of
// Quillmoor's.
bool IsTemporaryFileName(std::string_view fileName);

// The process that wrote the temporary file or journal fileName; nothing when fileName is
// neither.
std::optional<long> TemporaryFileWriter(std::string_view fileName);

}  // namespace quillmoor
