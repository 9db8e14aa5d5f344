// The three windows of the program, made and wired together as at start-up: the main window
// first (which runs the start-up fill), then the folder picker and the game-folder window,
// hidden, above it.
#pragma once

#include "win32/MainWindow.h"
#include "win32/SecondaryWindows.h"

namespace quillmoor::win32 {

// Registers the window classes and the common controls the windows use; once per program.
void PrepareWindowClasses();

struct WindowSet {
  WindowSet(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
            InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
            DpiScale scale, HFONT font);

  MainWindow main;
  FolderPicker folderPicker;
  GameFolderWindow gameFolderWindow;
};

}  // namespace quillmoor::win32
