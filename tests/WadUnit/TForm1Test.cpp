#include "WadUnit/TForm1.h"

#include <QDir>
#include <QFontMetrics>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "WadUnit/TextProgressBar.h"

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
  SettingsStore store{QString::fromStdString(dir / "settings/Quillmoor.ini")};
  std::optional<std::string> record;
  std::unique_ptr<TForm1> form;

  void Store(const char* name, const QVariant& value) {
    QSettings(QString::fromStdString(dir / "settings/Quillmoor.ini"), QSettings::IniFormat)
        .setValue(name, value);
  }
  void InstallGame() {
    dir.WriteFile("game/GP4.exe", "MZ");
    record = dir / "game";
  }
  TForm1& Open() {
    form = std::make_unique<TForm1>(
        dialogs, store, state, [this] { return record; }, clock);
    return *form;
  }
  FileNameEdit& Field(const char* name) const { return *form->findChild<FileNameEdit*>(name); }
};

QString Native(const std::string& path) { return QString::fromStdString(path); }

}  // namespace

class TForm1Test : public QObject {
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

void TForm1Test::startupFillFirstRun() {
  Window window;
  window.Store("WadName", "/somewhere/cars.wad");
  window.Open();
  const QString current = QDir::currentPath();
  QCOMPARE(window.Field("LMDFile1").text(), QString("...or select a file"));
  QCOMPARE(window.Field("LMDFile1").dialogSettings().initialFolder, current + "/");
  QCOMPARE(window.Field("LMDFile2").text(), QString());
  QCOMPARE(window.Field("LMDFile2").dialogSettings().initialFolder, current);
  QVERIFY(QFileInfo::exists(QString::fromStdString(window.dir / "settings/Quillmoor.ini")));
  QVERIFY(!window.state.GameFolderFound);
  QVERIFY(window.dialogs.errors.empty());
}

void TForm1Test::startupFillWithGameAndStoredValues() {
  Window window;
  window.InstallGame();
  window.Store("WadName", "/somewhere/cars.wad");
  window.Store("FileName", Native(window.dir / "mods/src"));
  window.state.TrackMode = true;
  window.state.SourceList = {"left over"};
  window.Open();
  QCOMPARE(window.Field("LMDFile1").text(), Native(window.dir / "mods/src"));
  QCOMPARE(window.Field("LMDFile1").dialogSettings().initialFolder, Native(window.dir / "mods/"));
  QCOMPARE(window.Field("LMDFile2").text(), QString("/somewhere/cars.wad"));
  QCOMPARE(window.Field("LMDFile2").dialogSettings().initialFolder, Native(window.dir / "game"));
  QVERIFY(window.state.GameFolderFound);
  QVERIFY(!window.state.TrackMode);
  QVERIFY(window.state.SourceList.empty());
}

void TForm1Test::startupFillStopsAtAValueOfTheWrongType() {
  Window window;
  window.InstallGame();
  window.Store("FileName", QStringList{"a", "b"});
  window.Store("WadName", "/somewhere/cars.wad");
  window.Open();
  QCOMPARE(window.dialogs.errors.size(), std::size_t{1});
  QCOMPARE(window.dialogs.errors[0].text, QString("Type de données incorrect pour 'FileName'"));
  QCOMPARE(window.Field("LMDFile1").text(), QString("...or select a file"));
  QCOMPARE(window.Field("LMDFile2").text(), QString());
}

void TForm1Test::sourceBrowseRemembersTheFolderOfAnExistingFile() {
  Window window;
  const QString a = Native(window.dir.WriteFile("one/a.tex", "a"));
  const QString b = Native(window.dir.WriteFile("two/b.tex", "b"));
  window.Open();
  FileNameEdit& source = window.Field("LMDFile1");
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

void TForm1Test::controlsStandWhereTheyBelongAndTheirTextsFit() {
  Window window;
  TForm1& form = window.Open();
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
      {"Label1", {8, 4, 152, 13}, "Select file(s) to replace in wad(s)"},
      {"SelectFolder", {176, 4, 121, 15}, "Select a Folder"},
      {"LMDFile1", {8, 21, 417, 20}, {}},
      {"Label2", {8, 52, 277, 13}, "Select one of the GP4's wad to patch or the wad to extract"},
      {"BtnGP4Path", {320, 52, 105, 15}, "Change GP4 Path"},
      {"LMDFile2", {8, 69, 417, 20}, {}},
      {"BtnCreateWad", {8, 96, 88, 22}, "Create wad"},
      {"BtnUpdate1Wad", {104, 96, 88, 22}, "Update wad"},
      {"BtnExtractWad", {200, 96, 88, 22}, "Extract wad"},
      {"BtnUpdateTracks", {304, 96, 121, 22}, "Update track wads"},
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
  const char* tabOrder[] = {"LMDFile1",      "LMDFile2",        "BtnCreateWad", "BtnUpdate1Wad",
                            "BtnExtractWad", "BtnUpdateTracks", "BtnGP4Path"};
  for (const char* next : tabOrder) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    while (focused != nullptr && focused->parentWidget() != &form)
      focused = focused->parentWidget();
    QCOMPARE(focused, form.findChild<QWidget*>(next));
  }
}

void TForm1Test::dialogsAreSetUpAsTheFieldsNeedThem() {
  Window window;
  TForm1& form = window.Open();
  const OpenDialogSettings& source = window.Field("LMDFile1").dialogSettings();
  QCOMPARE(source.title, QString("Select a file"));
  QCOMPARE(source.filter, QString("*.*|*.*"));
  QVERIFY(source.multiSelect);
  const OpenDialogSettings& wad = window.Field("LMDFile2").dialogSettings();
  QCOMPARE(wad.title, QString("Select a wad"));
  QCOMPARE(wad.filter, QString("*.wad|*.wad"));
  QCOMPARE(wad.defaultExtension, QString("wad"));
  QVERIFY(!wad.multiSelect);
  QCOMPARE(form.SaveDialog1().title, QString("Please choose a folder"));
  QCOMPARE(form.SaveDialog1().filter, QString("folder to create|*.*"));

  window.dialogs.openAnswers = {{Native(window.dir / "x/cars.wad")}};
  window.Field("LMDFile2").browse();
  QCOMPARE(form.WadText(), window.dir / "x/cars.wad");
}

void TForm1Test::saveDialogKeepsTheOfferedNameWhenCancelled() {
  Window window;
  TForm1& form = window.Open();
  const SaveDialogAnswer cancelled = form.AskSaveFileName("/games/data/cars", "");
  QVERIFY(!cancelled.confirmed);
  QCOMPARE(cancelled.fileName, std::string("/games/data/cars"));
  QCOMPARE(window.dialogs.saveShown[0].title, QString("Please choose a folder"));
  QCOMPARE(window.dialogs.saveShown[0].filter, QString());

  window.dialogs.saveAnswers = {QString("/out/new.wad")};
  const SaveDialogAnswer confirmed = form.AskSaveFileName("data.wad", "Wad file(*.wad)|*.wad");
  QVERIFY(confirmed.confirmed);
  QCOMPARE(confirmed.fileName, std::string("/out/new.wad"));
  QCOMPARE(form.SaveDialog1().fileName, QString("/out/new.wad"));
  QCOMPARE(form.SaveDialog1().filter, QString("Wad file(*.wad)|*.wad"));
}

void TForm1Test::progressBarClampsItsPosition() {
  Window window;
  TForm1& form = window.Open();
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  form.ShowProgress(150, "Extracting files : 99%");
  QCOMPARE(bar->position(), 100);
  QCOMPARE(bar->text(), QString("Extracting files : 99%"));
  form.ShowProgressPosition(-3);
  QCOMPARE(bar->position(), 0);
  QCOMPARE(bar->text(), QString("Extracting files : 99%"));
}

void TForm1Test::nameFiltersForQtDialogs() {
  QCOMPARE(QtNameFilters("*.*|*.*"), QStringList{"*.* (*)"});
  QCOMPARE(QtNameFilters("*.wad|*.wad"), QStringList{"*.wad (*.wad)"});
  QCOMPARE(QtNameFilters("Wad file(*.wad)|*.wad"), QStringList{"Wad file(*.wad) (*.wad)"});
  QCOMPARE(QtNameFilters("Both|*.wad;*.dat|All|*.*"),
           (QStringList{"Both (*.wad *.dat)", "All (*)"}));
  QCOMPARE(QtNameFilters(""), QStringList{});
}

void TForm1Test::extractButtonExtractsTheWadAndShowsTheTimeTaken() {
  Window window;
  TForm1& form = window.Open();
  window.Field("LMDFile2")
      .setText(Native(WadBuilder().Entry("maps\\a.dat", "AAA").WriteTo(window.dir / "cars.wad")));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("BtnExtractWad"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, Native(window.dir / "cars"));
  QCOMPARE(QString::fromStdString(testing::ReadFile(window.dir / "out/maps/a.dat")),
           QString("AAA"));
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  QCOMPARE(bar->text(), QString("Wad extracted in 0s"));
  QCOMPARE(bar->position(), 0);
  QVERIFY(window.dialogs.errors.empty());
}

void TForm1Test::aBrokenWadEndsTheExtractionWithTheErrorBox() {
  Window window;
  TForm1& form = window.Open();
  const std::string wad =
      WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(window.dir / "x.wad");
  window.Field("LMDFile2").setText(Native(wad));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("BtnExtractWad"), Qt::LeftButton);
  QCOMPARE(window.dialogs.errors.size(), std::size_t{1});
  QCOMPARE(window.dialogs.errors[0].text, QString("Lecture au-delà de la fin de fichier."));
  QCOMPARE(window.dialogs.errors[0].details, Native(wad));
}

void TForm1Test::updateButtonsRefuseThenUpdateOnlyTheWadOfTheField() {
  Window window;
  TForm1& form = window.Open();
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(window.dir / "x.wad");
  window.Field("LMDFile2").setText(Native(wad));
  auto* updateWad = form.findChild<QPushButton*>("BtnUpdate1Wad");
  auto* updateTracks = form.findChild<QPushButton*>("BtnUpdateTracks");

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QTest::mouseClick(updateTracks, Qt::LeftButton);
  QCOMPARE(window.dialogs.messages,
           (std::vector<QString>(2, "Sorry but you have to choose source file(s) first.")));

  window.Field("LMDFile1").setText(Native(window.dir.WriteFile("mod/a.dat", "new")));
  QTest::mouseClick(updateTracks, Qt::LeftButton);  // no game folder known
  QCOMPARE(window.dialogs.messages.back(), QString("Sorry but the GP4 folder was not found."));
  QVERIFY(!window.state.TrackMode);

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QVERIFY(testing::ReadFile(wad) == WadBuilder().Entry("a.dat", "new").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->text(), QString("Update done in 0s"));
  QCOMPARE(window.dialogs.messages.size(), std::size_t{3});
}

void TForm1Test::createButtonPacksTheSourceFolderIntoTheWadChosen() {
  Window window;
  TForm1& form = window.Open();
  window.dir.WriteFile("data/a.txt", "A");
  window.dir.WriteFile("data/b.txt", "B");
  window.Field("LMDFile1").setText(Native(window.dir / "data"));
  window.dialogs.saveAnswers = {Native(window.dir / "new.wad")};
  QTest::mouseClick(form.findChild<QPushButton*>("BtnCreateWad"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, QString("data.wad"));
  QCOMPARE(window.dialogs.saveShown.at(0).filter, QString("Wad file(*.wad)|*.wad"));
  QVERIFY(testing::ReadFile(window.dir / "new.wad") ==
          WadBuilder().Entry("a.txt", "A").Entry("b.txt", "B").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->text(), QString("Wad created in 0s"));
}

}  // namespace quillmoor

QTEST_MAIN(quillmoor::TForm1Test)
#include "TForm1Test.moc"
