// The Wine prefixes the game may be installed in on a system without a registry of its own,
// and the installation record of the one that holds the game.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quillmoor {

// The prefixes in the order they are looked through: the one $WINEPREFIX names, ~/.wine, then
// those of Lutris (~/Games/*), of Bottles (~/.local/share/bottles/bottles/* and, for its
// Flatpak, ~/.var/app/com.usebottles.bottles/data/bottles/bottles/*) and of PlayOnLinux
// (~/.PlayOnLinux/wineprefix/*), each launcher's by name. Only existing folders are given.
std::vector<std::filesystem::path> WinePrefixes();

// The record of the first prefix whose record leads to a folder that holds "GP4.exe"; when
// none does, the first record found (its folder lacks the game), and nothing when no prefix
// holds a record. A "Directory" of another type than text throws SettingsTypeError only when
// no prefix leads to the game: a broken record in another game's prefix hides nothing.
std::optional<std::string> ReadGameRecordOfPrefixes(
    const std::vector<std::filesystem::path>& prefixes);

}  // namespace quillmoor
