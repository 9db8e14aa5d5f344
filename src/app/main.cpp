// Quillmoor: the main window, its settings and the game folder, and the window loop.
#include <QApplication>
#include <QScreen>

#include "ManualPath/TForm5.h"
#include "WadUnit/DialogFont.h"
#include "WadUnit/Dialogs.h"
#include "WadUnit/TForm1.h"
#include "filesfolder/TForm2.h"
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
  quillmoor::TForm2 form2([&form1](const QString& folder) { form1.SetSourceFieldText(folder); });
  quillmoor::TForm5 form5(*store, [&form1] { form1.FormCreate(); });
  form1.SetSecondaryWindows(&form2, &form5);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = form1.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form1.move(frame.topLeft());
  }
  form1.show();
  return QApplication::exec();
}
