// quillmoor.exe: the main window, its settings in the registry and the game folder, and the
// window loop.
#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>

#include "operations/Clock.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "win32/Dialogs.h"
#include "win32/MessageLoop.h"
#include "win32/WindowSet.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int show) {
  using namespace quillmoor;
  // The shell's file information and the common dialogs need COM on the window's thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  win32::PrepareWindowClasses();
  const win32::DpiScale scale = win32::DpiScale::OfScreen();
  HFONT font = win32::CreateDialogFont(scale);
  ProgramState state;
  SteadyClock clock;
  win32::SystemDialogs dialogs;
  const std::unique_ptr<SettingsStore> store = SettingsStore::ForCurrentUser();
  int exitCode = 0;
  {
    win32::WindowSet windows(dialogs, *store, state, PlatformInstallationRecord(), clock,
                             NativeFileSystem(), scale, font);
    ShowWindow(windows.main.Handle(), show);
    exitCode = win32::RunMessageLoop(
        {windows.main.Handle(), windows.folderPicker.Handle(), windows.gameFolderWindow.Handle()});
  }
  DeleteObject(font);
  CoUninitialize();
  return exitCode;
}
