// Quillmoor: the main window, its settings and the game folder, and the window loop.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/DisplayCheck.h"
#include "app/WindowArguments.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
#include "gui/MainWindow.h"
#include "operations/Clock.h"
#include "operations/ProgramState.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"

int main(int argc, char** argv) {
  if (const auto information =
          quillmoor::InformationAsked(std::vector<std::string>(argv + 1, argv + argc))) {
    std::cout << *information;
    return 0;
  }
  // Without a display the window system would abort the program with its own message.
  if (!quillmoor::DisplayNamed(std::vector<std::string>(argv + 1, argv + argc),
                               [](const char* name) {
                                 const char* value = std::getenv(name);
                                 return std::string(value == nullptr ? "" : value);
                               })) {
    std::cerr << quillmoor::kNoDisplayText;
    return 1;
  }
  // Takes Qt's own options (-platform, ...) out of argc and argv.
  QApplication application(argc, argv);
  quillmoor::SetUpApplication();

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
      [&mainWindow](const QString& folder) { mainWindow.UseGameFolder(folder.toStdString()); });
  mainWindow.SetSecondaryWindows(&folderPicker, &gameFolderWindow);
  // After the start-up fill, so the wad the program was started with stays in the field.
  if (const auto wad = quillmoor::WadToOpen(std::vector<std::string>(argv + 1, argv + argc),
                                            QDir::currentPath().toStdString(), std::cerr)) {
    mainWindow.SetWadFieldText(QString::fromStdString(*wad));
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = mainWindow.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    mainWindow.move(frame.topLeft());
  }
  mainWindow.show();
  return QApplication::exec();
}
