// Finding the game's folder: a folder that holds "GP4.exe".
#pragma once

#include <string>

#include "operations/SettingsValues.h"
#include "settings/InstallationRecord.h"

namespace quillmoor {

// Whether folder names a folder that holds the file "GP4.exe", its name spelt in any case as
// the game and Windows allow. The empty text names no folder.
bool HoldsGameProgram(const std::string& folder);

// The game folder, or the empty text. A folder the user chose and Quillmoor stored as
// "GP4Path" comes first when it holds "GP4.exe"; then the installation record. Sets
// gameFolderFound on when the folder returned holds "GP4.exe", off when the record's folder
// doesn't; leaves it as it was when there is no record.
std::string FindGameFolder(SettingsValues& store, const InstallationRecordReader& readRecord,
                           bool& gameFolderFound);

}  // namespace quillmoor
