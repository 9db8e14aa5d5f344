// Quillmoor: the main window, its settings and the game folder, and the window loop.
#include <QApplication>
#include <QScreen>

#include "gui/DialogFont.h"
#include "gui/Dialogs.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
#include "gui/MainWindow.h"
#include "operations/Clock.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmoor"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quillmoor 2.9"));
  QApplication::setFont(quillmoor::DialogFont());

  quillmoor::ProgramState state;
  quillmoor::SteadyClock clock;
  quillmoor::QtDialogs dialogs;
  const std::unique_ptr<quillmoor::SettingsStore> store =
      quillmoor::SettingsStore::ForCurrentUser();
  quillmoor::MainWindow mainWindow(dialogs, *store, state, quillmoor::PlatformInstallationRecord(),
                                   clock);
  quillmoor::FolderPicker folderPicker(
      [&mainWindow](const QString& folder) { mainWindow.SetSourceFieldText(folder); });
  quillmoor::GameFolderWindow gameFolderWindow(
      [&mainWindow](const std::string& folder) { mainWindow.UseGameFolder(folder); });
  mainWindow.SetSecondaryWindows(&folderPicker, &gameFolderWindow);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = mainWindow.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    mainWindow.move(frame.topLeft());
  }
  mainWindow.show();
  return QApplication::exec();
}
