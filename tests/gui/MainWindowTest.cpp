#include "gui/MainWindow.h"

#include <QDir>
#include <QFontMetrics>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "gui/TextProgressBar.h"
#include "settings/QtSettingsStore.h"

namespace quillmoor {

using testing::FakeClock;
using testing::ScriptedDialogs;
using testing::TempDir;
using testing::WadBuilder;

namespace {

// A main window over a settings file and a game installation of the test's own.
struct Window {
  TempDir dir;
  ScriptedDialogs dialogs;
  ProgramState state;
  FakeClock clock;
  QtSettingsStore store{QString::fromStdString(dir / "settings/Quillmoor.ini")};
  std::optional<std::string> record;
  std::unique_ptr<MainWindow> form;

  void Store(const char* name, const QVariant& value) {
    QSettings(QString::fromStdString(dir / "settings/Quillmoor.ini"), QSettings::IniFormat)
        .setValue(name, value);
  }
  void InstallGame() {
    dir.WriteFile("game/GP4.exe", "MZ");
    record = dir / "game";
  }
  MainWindow& Open() {
    form = std::make_unique<MainWindow>(
        dialogs, store, state, [this] { return record; }, clock);
    return *form;
  }
  FileNameEdit& Field(const char* name) const { return *form->findChild<FileNameEdit*>(name); }
};

QString Native(const std::string& path) { return QString::fromStdString(path); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startupFillFirstRun();
  void startupFillWithGameAndStoredValues();
  void startupFillStopsAtAValueOfTheWrongType();
  void sourceBrowseRemembersTheFolderOfAnExistingFile();
  void controlsStandWhereTheyBelongAndTheirTextsFit();
  void dialogsAreSetUpAsTheFieldsNeedThem();
  void saveDialogKeepsTheOfferedNameWhenCancelled();
  void progressBarClampsItsPosition();
  void nameFiltersForQtDialogs();
  void extractButtonExtractsTheWadAndShowsTheTimeTaken();
  void aBrokenWadEndsTheExtractionWithTheErrorBox();
  void updateButtonsRefuseThenUpdateOnlyTheWadOfTheField();
  void createButtonPacksTheSourceFolderIntoTheWadChosen();
};

void MainWindowTest::startupFillFirstRun() {
  Window window;
  window.Store("WadName", "/somewhere/cars.wad");
  window.Open();
  const QString current = QDir::currentPath();
  QCOMPARE(window.Field("SourceField").text(), QString("...or select a file"));
  QCOMPARE(window.Field("SourceField").dialogSettings().initialFolder, current + "/");
  QCOMPARE(window.Field("WadField").text(), QString());
  QCOMPARE(window.Field("WadField").dialogSettings().initialFolder, current);
  QVERIFY(QFileInfo::exists(QString::fromStdString(window.dir / "settings/Quillmoor.ini")));
  QVERIFY(!window.state.GameFolderFound);
  QVERIFY(window.dialogs.errors.empty());
}

void MainWindowTest::startupFillWithGameAndStoredValues() {
  Window window;
  window.InstallGame();
  window.Store("WadName", "/somewhere/cars.wad");
  window.Store("FileName", Native(window.dir / "mods/src"));
  window.state.TrackMode = true;
  window.state.SourceList = {"left over"};
  window.Open();
  QCOMPARE(window.Field("SourceField").text(), Native(window.dir / "mods/src"));
  QCOMPARE(window.Field("SourceField").dialogSettings().initialFolder,
           Native(window.dir / "mods/"));
  QCOMPARE(window.Field("WadField").text(), QString("/somewhere/cars.wad"));
  QCOMPARE(window.Field("WadField").dialogSettings().initialFolder, Native(window.dir / "game"));
  QVERIFY(window.state.GameFolderFound);
  QVERIFY(!window.state.TrackMode);
  QVERIFY(window.state.SourceList.empty());
}

void MainWindowTest::startupFillStopsAtAValueOfTheWrongType() {
  Window window;
  window.InstallGame();
  window.Store("FileName", QStringList{"a", "b"});
  window.Store("WadName", "/somewhere/cars.wad");
  window.Open();
  QCOMPARE(window.dialogs.errors.size(), std::size_t{1});
  QCOMPARE(window.dialogs.errors[0].text, QString("Type de données incorrect pour 'FileName'"));
  QCOMPARE(window.Field("SourceField").text(), QString("...or select a file"));
  QCOMPARE(window.Field("WadField").text(), QString());
}

void MainWindowTest::sourceBrowseRemembersTheFolderOfAnExistingFile() {
  Window window;
  const QString a = Native(window.dir.WriteFile("one/a.tex", "a"));
  const QString b = Native(window.dir.WriteFile("two/b.tex", "b"));
  window.Open();
  FileNameEdit& source = window.Field("SourceField");
  const QString startFolder = source.dialogSettings().initialFolder;

  source.browse();  // cancelled while the placeholder is shown
  QCOMPARE(source.dialogSettings().initialFolder, startFolder);

  window.dialogs.openAnswers = {{a, b, Native(window.dir / "three.tex")}};
  source.browse();
  QCOMPARE(source.text(), a);
  QCOMPARE(source.dialogSettings().initialFolder, Native(window.dir / "one/"));

  source.setText(b);
  source.browse();  // cancelled: the typed file still counts
  QCOMPARE(source.dialogSettings().initialFolder, Native(window.dir / "two/"));

  source.setText(Native(window.dir / "missing.tex"));
  source.browse();
  QCOMPARE(source.dialogSettings().initialFolder, Native(window.dir / "two/"));
  source.setText(Native(window.dir / "one"));  // a folder is no file
  source.browse();
  QCOMPARE(source.dialogSettings().initialFolder, Native(window.dir / "two/"));
  QCOMPARE(window.dialogs.openShown[1].initialFolder, startFolder);
}

void MainWindowTest::controlsStandWhereTheyBelongAndTheirTextsFit() {
  Window window;
  MainWindow& form = window.Open();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.windowTitle(), QString("Quillmoor 2.9"));
  QCOMPARE(form.minimumSize(), QSize(433, 135));
  QCOMPARE(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

  struct Control {
    const char* name;
    QRect place;
    QString text;
  };
  const Control controls[] = {
      {"SourceLabel", {8, 4, 152, 13}, "Select file(s) to replace in wad(s)"},
      {"SelectFolder", {176, 4, 121, 15}, "Select a Folder"},
      {"SourceField", {8, 21, 417, 20}, {}},
      {"WadLabel", {8, 52, 277, 13}, "Select one of the GP4's wad to patch or the wad to extract"},
      {"ChangeGamePathButton", {320, 52, 105, 15}, "Change GP4 Path"},
      {"WadField", {8, 69, 417, 20}, {}},
      {"CreateWadButton", {8, 96, 88, 22}, "Create wad"},
      {"UpdateWadButton", {104, 96, 88, 22}, "Update wad"},
      {"ExtractWadButton", {200, 96, 88, 22}, "Extract wad"},
      {"UpdateTrackWadsButton", {304, 96, 121, 22}, "Update track wads"},
      {"ProgressBar", {8, 126, 417, 16}, {}},
  };
  form.resize(900, 600);
  for (const Control& control : controls) {
    QWidget* widget = form.findChild<QWidget*>(control.name);
    QVERIFY2(widget != nullptr, control.name);
    QCOMPARE(widget->geometry(), control.place);
    if (control.text.isEmpty()) continue;
    const QFontMetrics metrics(widget->font());
    int room = control.place.width();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QCOMPARE(button->text(), control.text);
      if (!button->icon().isNull()) room -= 16 + 4;
      room -= 6;  // the button's frame
    } else {
      QCOMPARE(qobject_cast<QLabel*>(widget)->text(), control.text);
    }
    QVERIFY2(metrics.horizontalAdvance(control.text) <= room, control.name);
    QVERIFY2(metrics.height() <= control.place.height(), control.name);
  }

  QCOMPARE(QApplication::focusWidget(), form.findChild<QWidget*>("SelectFolder"));
  const char* tabOrder[] = {"SourceField",         "WadField",         "CreateWadButton",
                            "UpdateWadButton",     "ExtractWadButton", "UpdateTrackWadsButton",
                            "ChangeGamePathButton"};
  for (const char* next : tabOrder) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    while (focused != nullptr && focused->parentWidget() != &form)
      focused = focused->parentWidget();
    QCOMPARE(focused, form.findChild<QWidget*>(next));
  }
}

void MainWindowTest::dialogsAreSetUpAsTheFieldsNeedThem() {
  Window window;
  MainWindow& form = window.Open();
  const OpenDialogSettings& source = window.Field("SourceField").dialogSettings();
  QCOMPARE(source.title, QString("Select a file"));
  QCOMPARE(source.filter, QString("*.*|*.*"));
  QVERIFY(source.multiSelect);
  const OpenDialogSettings& wad = window.Field("WadField").dialogSettings();
  QCOMPARE(wad.title, QString("Select a wad"));
  QCOMPARE(wad.filter, QString("*.wad|*.wad"));
  QCOMPARE(wad.defaultExtension, QString("wad"));
  QVERIFY(!wad.multiSelect);
  QCOMPARE(form.SaveDialog().title, QString("Please choose a folder"));
  QCOMPARE(form.SaveDialog().filter, QString("folder to create|*.*"));

  window.dialogs.openAnswers = {{Native(window.dir / "x/cars.wad")}};
  window.Field("WadField").browse();
  QCOMPARE(form.WadText(), window.dir / "x/cars.wad");
}

void MainWindowTest::saveDialogKeepsTheOfferedNameWhenCancelled() {
  Window window;
  MainWindow& form = window.Open();
  const SaveDialogAnswer cancelled = form.AskSaveFileName("/games/data/cars", "");
  QVERIFY(!cancelled.confirmed);
  QCOMPARE(cancelled.fileName, std::string("/games/data/cars"));
  QCOMPARE(window.dialogs.saveShown[0].title, QString("Please choose a folder"));
  QCOMPARE(window.dialogs.saveShown[0].filter, QString());

  window.dialogs.saveAnswers = {QString("/out/new.wad")};
  const SaveDialogAnswer confirmed = form.AskSaveFileName("data.wad", "Wad file(*.wad)|*.wad");
  QVERIFY(confirmed.confirmed);
  QCOMPARE(confirmed.fileName, std::string("/out/new.wad"));
  QCOMPARE(form.SaveDialog().fileName, QString("/out/new.wad"));
  QCOMPARE(form.SaveDialog().filter, QString("Wad file(*.wad)|*.wad"));
}

void MainWindowTest::progressBarClampsItsPosition() {
  Window window;
  MainWindow& form = window.Open();
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  form.ShowProgress(150, "Extracting files : 99%");
  QCOMPARE(bar->position(), 100);
  QCOMPARE(bar->text(), QString("Extracting files : 99%"));
  form.ShowProgressPosition(-3);
  QCOMPARE(bar->position(), 0);
  QCOMPARE(bar->text(), QString("Extracting files : 99%"));
}

void MainWindowTest::nameFiltersForQtDialogs() {
  QCOMPARE(QtNameFilters("*.*|*.*"), QStringList{"*.* (*)"});
  QCOMPARE(QtNameFilters("*.wad|*.wad"), QStringList{"*.wad (*.wad)"});
  QCOMPARE(QtNameFilters("Wad file(*.wad)|*.wad"), QStringList{"Wad file(*.wad) (*.wad)"});
  QCOMPARE(QtNameFilters("Both|*.wad;*.dat|All|*.*"),
           (QStringList{"Both (*.wad *.dat)", "All (*)"}));
  QCOMPARE(QtNameFilters(""), QStringList{});
}

void MainWindowTest::extractButtonExtractsTheWadAndShowsTheTimeTaken() {
  Window window;
  MainWindow& form = window.Open();
  window.Field("WadField")
      .setText(Native(WadBuilder().Entry("maps\\a.dat", "AAA").WriteTo(window.dir / "cars.wad")));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("ExtractWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, Native(window.dir / "cars"));
  QCOMPARE(QString::fromStdString(testing::ReadFile(window.dir / "out/maps/a.dat")),
           QString("AAA"));
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  QCOMPARE(bar->text(), QString("Wad extracted in 0s"));
  QCOMPARE(bar->position(), 0);
  QVERIFY(window.dialogs.errors.empty());
}

void MainWindowTest::aBrokenWadEndsTheExtractionWithTheErrorBox() {
  Window window;
  MainWindow& form = window.Open();
  const std::string wad =
      WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(window.dir / "x.wad");
  window.Field("WadField").setText(Native(wad));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("ExtractWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.errors.size(), std::size_t{1});
  QCOMPARE(window.dialogs.errors[0].text, QString("Lecture au-delà de la fin de fichier."));
  QCOMPARE(window.dialogs.errors[0].details, Native(wad));
}

void MainWindowTest::updateButtonsRefuseThenUpdateOnlyTheWadOfTheField() {
  Window window;
  MainWindow& form = window.Open();
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(window.dir / "x.wad");
  window.Field("WadField").setText(Native(wad));
  auto* updateWad = form.findChild<QPushButton*>("UpdateWadButton");
  auto* updateTracks = form.findChild<QPushButton*>("UpdateTrackWadsButton");

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QTest::mouseClick(updateTracks, Qt::LeftButton);
  QCOMPARE(window.dialogs.messages,
           (std::vector<QString>(2, "Sorry but you have to choose source file(s) first.")));

  window.Field("SourceField").setText(Native(window.dir.WriteFile("mod/a.dat", "new")));
  QTest::mouseClick(updateTracks, Qt::LeftButton);  // no game folder known
  QCOMPARE(window.dialogs.messages.back(), QString("Sorry but the GP4 folder was not found."));
  QVERIFY(!window.state.TrackMode);

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QVERIFY(testing::ReadFile(wad) == WadBuilder().Entry("a.dat", "new").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->text(), QString("Update done in 0s"));
  QCOMPARE(window.dialogs.messages.size(), std::size_t{3});
}

void MainWindowTest::createButtonPacksTheSourceFolderIntoTheWadChosen() {
  Window window;
  MainWindow& form = window.Open();
  window.dir.WriteFile("data/a.txt", "A");
  window.dir.WriteFile("data/b.txt", "B");
  window.Field("SourceField").setText(Native(window.dir / "data"));
  window.dialogs.saveAnswers = {Native(window.dir / "new.wad")};
  QTest::mouseClick(form.findChild<QPushButton*>("CreateWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, QString("data.wad"));
  QCOMPARE(window.dialogs.saveShown.at(0).filter, QString("Wad file(*.wad)|*.wad"));
  QVERIFY(testing::ReadFile(window.dir / "new.wad") ==
          WadBuilder().Entry("a.txt", "A").Entry("b.txt", "B").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->text(), QString("Wad created in 0s"));
}

}  // namespace quillmoor

QTEST_MAIN(quillmoor::MainWindowTest)
#include "MainWindowTest.moc"
