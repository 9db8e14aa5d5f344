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

FolderTreeView& TreeOf(QWidget& window) { return *window.findChild<FolderTreeView*>("FolderTree"); }

// The names of the folders the tree shows below the folder levelsUp above its selection,
// once it has read them.
QStringList ShownBelowSelection(FolderTreeView& tree, int levelsUp = 0) {
  const auto folder = [&tree, levelsUp] {
    QModelIndex index = tree.currentIndex();
    for (int level = 0; level < levelsUp; ++level) index = index.parent();
    return index;
  };
  if (!QTest::qWaitFor([&] { return tree.model()->rowCount(folder()) > 0; })) return {};
  QStringList names;
  for (int row = 0; row < tree.model()->rowCount(folder()); ++row) {
    names << tree.model()->index(row, 0, folder()).data().toString();
  }
  names.sort();
  return names;
}

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void pickerPutsTheChosenFolderIntoTheSourceOnEnter();
  void pickerStartsAtHomeAndKeepsItsSelection();
  void pickerTreeGrowsWithTheWindowAndOkStaysBottomRight();
  void gameFolderWindowTakesOnlyAFolderThatHoldsTheGame();
  void gameFolderWindowHidesThenHandsOnTheFolderSelected();
  void treesHideHiddenFoldersButOnTheWayToTheFolderInUse();
  void windowsOpenAtTheFoldersInUse();
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
      [&mainWindow](const QString& folder) { mainWindow.UseGameFolder(folder.toStdString()); });
  QCOMPARE(gameFolder.windowTitle(), QString("Manual Path Entry"));
  auto* source = mainWindow.findChild<FileNameEdit*>("SourceField");
  auto* wad = mainWindow.findChild<FileNameEdit*>("WadField");
  QVERIFY(!state.GameFolderFound);

  std::filesystem::create_directories(dir / "nogame");
  source->SetText("typed but not used");
  gameFolder.show();
  TreeOf(gameFolder).SelectFolder(Native(dir / "nogame"));
  QTest::keyClick(&TreeOf(gameFolder), Qt::Key_Return);
  QVERIFY(!gameFolder.isVisible());
  QCOMPARE(source->Text(), QString("typed but not used"));
  QVERIFY(store.Read("GP4Path", "").empty());

  dir.WriteFile("game/gp4.EXE", "MZ");
  gameFolder.show();
  TreeOf(gameFolder).SelectFolder(Native(dir / "game"));
  gameFolder.Accept();
  QVERIFY(!gameFolder.isVisible());
  QCOMPARE(QString::fromStdString(store.Read("GP4Path", "")), Native(dir / "game"));
  QVERIFY(state.GameFolderFound);
  QCOMPARE(source->Text(), Native(dir / "stored-source"));
  QCOMPARE(wad->Text(), Native(dir / "game/monza2001.wad"));
  QCOMPARE(QString::fromStdString(wad->DialogSettings().initialFolder), Native(dir / "game"));
}

// A box about the folder, such as the error box for a game folder that can't be stored,
// must not show below this window, which stays on top.
void SecondaryWindowsTest::gameFolderWindowHidesThenHandsOnTheFolderSelected() {
  TempDir dir;
  std::filesystem::create_directories(dir / "game");
  QStringList handedOn;
  bool visibleWhenHandedOn = true;
  GameFolderWindow gameFolder([&](const QString& folder) {
    handedOn << folder;
    visibleWhenHandedOn = gameFolder.isVisible();
  });
  gameFolder.OpenAt(dir / "game");
  QTest::mouseClick(gameFolder.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
  QCOMPARE(handedOn, QStringList{Native(dir / "game")});
  QVERIFY(!visibleWhenHandedOn);
  QVERIFY(!gameFolder.isVisible());
}

void SecondaryWindowsTest::treesHideHiddenFoldersButOnTheWayToTheFolderInUse() {
  TempDir dir;
  for (const char* folder : {"mods", ".cache", ".wine/drive_c/Games/GP4", ".wine/.hidden"}) {
    std::filesystem::create_directories(dir / folder);
  }
  FolderPicker picker([](const QString&) {});
  picker.show();
  TreeOf(picker).SelectFolder(Native(dir.path()));
  QCOMPARE(ShownBelowSelection(TreeOf(picker)), QStringList{"mods"});

  TreeOf(picker).SelectFolder(Native(dir / ".wine/drive_c/Games/GP4"));
  QCOMPARE(TreeOf(picker).SelectedFolder(), Native(dir / ".wine/drive_c/Games/GP4"));
  QCOMPARE(ShownBelowSelection(TreeOf(picker), 4), (QStringList{".wine", "mods"}));
  QCOMPARE(ShownBelowSelection(TreeOf(picker), 3), QStringList{"drive_c"});
}

void SecondaryWindowsTest::windowsOpenAtTheFoldersInUse() {
  TempDir dir;
  testing::ScriptedDialogs dialogs;
  ProgramState state;
  testing::FakeClock clock;
  QtSettingsStore store(Native(dir / "settings.ini"));
  dir.WriteFile(".wine/drive_c/Games/GP4/GP4.exe", "MZ");
  dir.WriteFile("mods/cars/a.tex", "A");
  MainWindow mainWindow(
      dialogs, store, state,
      [&dir] { return std::optional<std::string>(dir / ".wine/drive_c/Games/GP4"); }, clock);
  FolderPicker picker(
      [&mainWindow](const QString& folder) { mainWindow.SetSourceFieldText(folder); });
  GameFolderWindow gameFolder([](const QString&) {});
  mainWindow.SetSecondaryWindows(&picker, &gameFolder);
  auto* source = mainWindow.findChild<FileNameEdit*>("SourceField");

  QTest::mouseClick(mainWindow.findChild<QPushButton*>("ChangeGamePathButton"), Qt::LeftButton);
  QVERIFY(gameFolder.isVisible());
  QCOMPARE(TreeOf(gameFolder).SelectedFolder(), Native(dir / ".wine/drive_c/Games/GP4"));

  const QString home = QDir::toNativeSeparators(QDir::homePath());
  QTest::mouseClick(mainWindow.findChild<QPushButton*>("SelectFolder"), Qt::LeftButton);
  QCOMPARE(TreeOf(picker).SelectedFolder(), home);  // no source yet
  picker.hide();
  for (const char* folder : {"mods/cars", "mods/cars/"}) {
    source->SetText(Native(dir / folder));
    QTest::mouseClick(mainWindow.findChild<QPushButton*>("SelectFolder"), Qt::LeftButton);
    QCOMPARE(TreeOf(picker).SelectedFolder(), Native(dir / "mods/cars"));
    picker.hide();
  }
  source->SetText(Native(dir / "mods/cars/a.tex"));
  QTest::mouseClick(mainWindow.findChild<QPushButton*>("SelectFolder"), Qt::LeftButton);
  QCOMPARE(TreeOf(picker).SelectedFolder(), Native(dir / "mods/cars"));
}

}  // namespace quillmoor

QTEST_MAIN(quillmoor::SecondaryWindowsTest)
#include "SecondaryWindowsTest.moc"
