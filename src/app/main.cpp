// Quillmoor: the main window, its settings and the game folder, and the window loop.
#include <QApplication>
#include <QScreen>

#include "WadUnit/DialogFont.h"
#include "WadUnit/Dialogs.h"
#include "WadUnit/TForm1.h"
#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "wad/Clock.h"
#include "wad/ProgramState.h"

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
  quillmoor::TForm1 form1(dialogs, *store, state, quillmoor::PlatformInstallationRecord(), clock);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = form1.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form1.move(frame.topLeft());
  }
  form1.show();
  return QApplication::exec();
}
