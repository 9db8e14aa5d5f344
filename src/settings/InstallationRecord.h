// The game's own installation record: the folder its installer wrote down.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillmoor {

// Reads the record: nothing when there is none (no key); the value "Directory" as stored, as
// a native path, when there is one; the empty text when the key holds no such value. A
// "Directory" stored with another type than text throws SettingsTypeError.
using InstallationRecordReader = std::function<std::optional<std::string>()>;

// The record of this platform: the registry of the machine on Windows (its 32-bit view, as the
// game is a 32-bit program), elsewhere that of the Wine prefix the game is installed in, looked
// for where Wine and the launchers people run it through keep their prefixes.
InstallationRecordReader PlatformInstallationRecord();

// The record kept in the system.reg of the Wine prefix, with the Windows path mapped to a
// native one through the prefix's dosdevices drive links. Only reads.
std::optional<std::string> ReadWineInstallationRecord(const std::filesystem::path& prefix);

}  // namespace quillmoor
