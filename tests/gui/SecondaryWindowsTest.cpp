#include <QDir>
#include <QtTest>
#include <memory>

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "gui/FileNameEdit.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
#include "gui/MainWindow.h"
#include "settings/QtSettingsStore.h"

namespace quillmoor {

using testing::TempDir;

namespace {

QString Native(const std::string& path) { return QString::fromStdString(path); }

FolderTree& TreeOf(QWidget& window) { return *window.findChild<FolderTree*>("FolderTree"); }

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void pickerPutsTheChosenFolderIntoTheSourceOnEnter();
  void pickerStartsAtHomeAndKeepsItsSelection();
  void pickerTreeGrowsWithTheWindowAndOkStaysBottomRight();
  void gameFolderWindowTakesOnlyAFolderThatHoldsTheGame();
};

void SecondaryWindowsTest::pickerPutsTheChosenFolderIntoTheSourceOnEnter() {
  TempDir dir;
  std::filesystem::create_directories(dir / "mods/ferrari");
  std::vector<QString> sources;
  FolderPicker picker([&sources](const QString& folder) { sources.push_back(folder); });
  QCOMPARE(picker.windowTitle(), QString("Select Files..."));
  picker.show();
  TreeOf(picker).SelectFolder(Native(dir / "mods/ferrari"));
  QTest::keyClick(&TreeOf(picker), Qt::Key_Return);
  QCOMPARE(sources, std::vector<QString>{Native(dir / "mods/ferrari")});
  QVERIFY(!picker.isVisible());

  picker.show();
  TreeOf(picker).clearSelection();
  picker.Accept();
  QCOMPARE(sources.back(), QString());
}

void SecondaryWindowsTest::pickerStartsAtHomeAndKeepsItsSelection() {
  TempDir dir;
  std::filesystem::create_directories(dir / "mods");
  std::vector<QString> sources;
  FolderPicker picker([&sources](const QString& folder) { sources.push_back(folder); });
  QCOMPARE(TreeOf(picker).SelectedFolder(), QDir::toNativeSeparators(QDir::homePath()));
  picker.show();
  TreeOf(picker).SelectFolder(Native(dir / "mods"));
  picker.Accept();
  picker.close();
  picker.show();
  picker.Accept();
  QCOMPARE(sources, std::vector<QString>(2, Native(dir / "mods")));
}

void SecondaryWindowsTest::pickerTreeGrowsWithTheWindowAndOkStaysBottomRight() {
  FolderPicker picker([](const QString&) {});
  picker.show();
  QVERIFY(QTest::qWaitForWindowExposed(&picker));
  const QSize treeBefore = TreeOf(picker).size();
  picker.resize(400, 500);
  QTest::qWait(10);
  auto* ok = picker.findChild<QPushButton*>("OkButton");
  QCOMPARE(TreeOf(picker).size(), treeBefore + QSize(196, 225));
  const QRect okPlace(ok->mapTo(&picker, QPoint(0, 0)), ok->size());
  QCOMPARE(okPlace, QRect(400 - 11 - 73, 500 - 36 + 8, 73, 20));
  QCOMPARE(TreeOf(picker).geometry().left(), 9);
}

void SecondaryWindowsTest::gameFolderWindowTakesOnlyAFolderThatHoldsTheGame() {
  TempDir dir;
  testing::ScriptedDialogs dialogs;
  ProgramState state;
  testing::FakeClock clock;
  QtSettingsStore store(Native(dir / "settings.ini"));
  store.Write("FileName", dir / "stored-source");
  store.Write("WadName", dir / "game/monza2001.wad");
  MainWindow mainWindow(
      dialogs, store, state, [] { return std::optional<std::string>(); }, clock);
  GameFolderWindow gameFolder(
      [&mainWindow](const std::string& folder) { mainWindow.UseGameFolder(folder); });
  QCOMPARE(gameFolder.windowTitle(), QString("Manual Path Entry"));
  auto* source = mainWindow.findChild<FileNameEdit*>("SourceField");
  auto* wad = mainWindow.findChild<FileNameEdit*>("WadField");
  QVERIFY(!state.GameFolderFound);

  std::filesystem::create_directories(dir / "nogame");
  source->setText("typed but not used");
  gameFolder.show();
  TreeOf(gameFolder).SelectFolder(Native(dir / "nogame"));
  QTest::keyClick(&TreeOf(gameFolder), Qt::Key_Return);
  QVERIFY(!gameFolder.isVisible());
  QCOMPARE(source->text(), QString("typed but not used"));
  QVERIFY(store.Read("GP4Path", "").empty());

  dir.WriteFile("game/GP4.exe", "MZ");
  gameFolder.show();
  TreeOf(gameFolder).SelectFolder(Native(dir / "game"));
  gameFolder.Accept();
  QVERIFY(!gameFolder.isVisible());
  QCOMPARE(QString::fromStdString(store.Read("GP4Path", "")), Native(dir / "game"));
  QVERIFY(state.GameFolderFound);
  QCOMPARE(source->text(), Native(dir / "stored-source"));
  QCOMPARE(wad->text(), Native(dir / "game/monza2001.wad"));
  QCOMPARE(wad->dialogSettings().initialFolder, Native(dir / "game"));
}

}  // namespace quillmoor

QTEST_MAIN(quillmoor::SecondaryWindowsTest)
#include "SecondaryWindowsTest.moc"
