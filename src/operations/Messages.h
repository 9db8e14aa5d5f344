// The texts of the message boxes the operations show when they refuse to go on.
#pragma once

namespace quillmoor {

inline constexpr const char* kNoSourceFolderMessage =
    "Sorry but you have to choose a source folder first.";
inline constexpr const char* kNoWadFileMessage = "Sorry but you have to choose a wad file first.";
inline constexpr const char* kNoSourceFilesMessage =
    "Sorry but you have to choose source file(s) first.";
inline constexpr const char* kNotAWadMessage = "Sorry but you havn't selected a wad file.";
inline constexpr const char* kWrongWadPathMessage =
    "Sorry but you surely did a mistake in wad's pathname :)";
inline constexpr const char* kWrongFilePathMessage =
    "Sorry but you surely did a mistake in file's pathname :)";
inline constexpr const char* kNoGameFolderMessage = "Sorry but the GP4 folder was not found.";
inline constexpr const char* kTooLargeWadMessage = "Sorry but the wad would be larger than 2 GB.";
inline constexpr const char* kNothingToUndoMessage =
    "Sorry but this window hasn't replaced a wad whose previous version it kept.";
inline constexpr const char* kDamagedWadMessage =
    "Sorry but this wad is damaged and can't be updated safely.";

// These are followed by the name concerned.
inline constexpr const char* kUnsafeNameMessage = "Sorry but this wad holds an unsafe file name: ";
inline constexpr const char* kNameTooLongMessage =
    "Sorry but this file name is too long for a wad: ";
inline constexpr const char* kUnspellableNameMessage =
    "Sorry but this file name can't be stored in a wad: ";
inline constexpr const char* kWadBusyMessage =
    "Sorry but another run is still changing this wad, try again when it is done: ";
inline constexpr const char* kUnfinishedChangeMessage =
    "Sorry but an earlier change of the wads was cut short and can't be finished, so nothing "
    "was done. Its journal is kept, see: ";
inline constexpr const char* kSpecialFileMessage =
    "Sorry but this is not a file but a device, a pipe or a socket: ";
inline constexpr const char* kNoTrackUpdateMessage =
    "Sorry but no track update that kept the previous versions is recorded in this folder: ";
inline constexpr const char* kNoBackupMessage =
    "Sorry but there is no previous version of this wad to put back: ";

}  // namespace quillmoor
