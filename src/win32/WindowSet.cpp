#include "win32/WindowSet.h"

#include <commctrl.h>

#include <utility>

#include "win32/TextProgressBar.h"

namespace quillmoor::win32 {

void PrepareWindowClasses() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterTextProgressBar();
}

WindowSet::WindowSet(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
                     InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
                     DpiScale scale, HFONT font)
    : main(dialogs, store, state, std::move(readRecord), clock, fileSystem, scale, font),
      folderPicker(
          main.Handle(), [this](const std::string& folder) { main.SetSourceFieldText(folder); },
          scale, font),
      gameFolderWindow(
          main.Handle(), [this](const std::string& folder) { main.UseGameFolder(folder); }, scale,
          font) {
  main.SetSecondaryWindows(&folderPicker, &gameFolderWindow);
}

}  // namespace quillmoor::win32
