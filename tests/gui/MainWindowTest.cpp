#include "gui/MainWindow.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "gui/Application.h"
#include "gui/FolderPicker.h"
#include "gui/GameFolderWindow.h"
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
  QPushButton& Button(const char* name) const { return *form->findChild<QPushButton*>(name); }
  TextProgressBar& Bar() const { return *form->findChild<TextProgressBar*>("ProgressBar"); }
};

// The controls of the main window that take input.
constexpr const char* kInputControls[] = {
    "SelectFolder",    "SourceField",     "ChangeGamePathButton", "WadField",
    "CreateWadButton", "UpdateWadButton", "ExtractWadButton",     "UpdateTrackWadsButton"};

// The names of the controls of window that take input and are enabled, among those of
// kInputControls, and whether its secondary windows are enabled.
QStringList EnabledInputControls(const QWidget& window) {
  QStringList enabled;
  for (const char* name : kInputControls) {
    if (window.findChild<QWidget*>(name)->isEnabled()) enabled << name;
  }
  for (const char* name : {"FolderPicker", "GameFolderWindow"}) {
    for (const QWidget* secondary : QApplication::topLevelWidgets()) {
      if (secondary->objectName() == name && secondary->isEnabled()) enabled << name;
    }
  }
  return enabled;
}

// Answers the next modal box that opens: records its caption, icon, text and buttons, then
// presses Enter in it.
struct ShownBox {
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text;
  QStringList buttons;
  QString detailedText;
};
void AnswerNextBoxWithEnter(ShownBox& shown) {
  QTimer::singleShot(0, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return AnswerNextBoxWithEnter(shown);
    shown.caption = box->windowTitle();
    shown.icon = box->icon();
    shown.text = box->text();
    for (const QAbstractButton* button : box->buttons()) {
      shown.buttons << button->text().remove('&');
    }
    shown.detailedText = box->detailedText();
    QTest::keyClick(box, Qt::Key_Return);
  });
}

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
  void anOperationTakesNoInputWhileItRunsButKeepsRepainting();
  void aRunEndingWithAnErrorOrARefusalLeavesTheBarEmptyAndTheWindowUsable();
  void errorAndMessageBoxesHoldTheTextAndOneOk();
  void enterPressesTheFocusedButton();
  void windowTitlesAreExactlyTheirOwn();
  void ctrlZPutsBackTheWadTheLastRunReplacedAfterAsking();
  void keepBackupZeroKeepsNoPreviousVersion();
};

void MainWindowTest::startupFillFirstRun() {
  Window window;
  window.Store("WadName", "/somewhere/cars.wad");
  window.Open();
  const QString current = QDir::currentPath();
  QCOMPARE(window.Field("SourceField").Text(), QString("...or select a file"));
  QCOMPARE(QString::fromStdString(window.Field("SourceField").DialogSettings().initialFolder),
           current + "/");
  QCOMPARE(window.Field("WadField").Text(), QString());
  QCOMPARE(QString::fromStdString(window.Field("WadField").DialogSettings().initialFolder),
           current);
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
  QCOMPARE(window.Field("SourceField").Text(), Native(window.dir / "mods/src"));
  QCOMPARE(QString::fromStdString(window.Field("SourceField").DialogSettings().initialFolder),
           Native(window.dir / "mods/"));
  QCOMPARE(window.Field("WadField").Text(), QString("/somewhere/cars.wad"));
  QCOMPARE(QString::fromStdString(window.Field("WadField").DialogSettings().initialFolder),
           Native(window.dir / "game"));
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
  QCOMPARE(window.dialogs.errors[0], QString("Type de données incorrect pour 'FileName'"));
  QCOMPARE(window.Field("SourceField").Text(), QString("...or select a file"));
  QCOMPARE(window.Field("WadField").Text(), QString());
}

void MainWindowTest::sourceBrowseRemembersTheFolderOfAnExistingFile() {
  Window window;
  const QString a = Native(window.dir.WriteFile("one/a.tex", "a"));
  const QString b = Native(window.dir.WriteFile("two/b.tex", "b"));
  window.Open();
  FileNameEdit& source = window.Field("SourceField");
  const QString startFolder = QString::fromStdString(source.DialogSettings().initialFolder);

  source.Browse();  // cancelled while the placeholder is shown
  QCOMPARE(QString::fromStdString(source.DialogSettings().initialFolder), startFolder);

  window.dialogs.openAnswers = {{a, b, Native(window.dir / "three.tex")}};
  source.Browse();
  QCOMPARE(source.Text(), a);
  QCOMPARE(QString::fromStdString(source.DialogSettings().initialFolder),
           Native(window.dir / "one/"));

  source.SetText(b);
  source.Browse();  // cancelled: the typed file still counts
  QCOMPARE(QString::fromStdString(source.DialogSettings().initialFolder),
           Native(window.dir / "two/"));

  source.SetText(Native(window.dir / "missing.tex"));
  source.Browse();
  QCOMPARE(QString::fromStdString(source.DialogSettings().initialFolder),
           Native(window.dir / "two/"));
  source.SetText(Native(window.dir / "one"));  // a folder is no file
  source.Browse();
  QCOMPARE(QString::fromStdString(source.DialogSettings().initialFolder),
           Native(window.dir / "two/"));
  QCOMPARE(QString::fromStdString(window.dialogs.openShown[1].initialFolder), startFolder);
}

void MainWindowTest::controlsStandWhereTheyBelongAndTheirTextsFit() {
  Window window;
  MainWindow& form = window.Open();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.windowTitle(), QString("Quillmoor 2.9"));
  QCOMPARE(form.minimumSize(), QSize(433, 142));
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

  // At its smallest the window still shows the whole progress bar, and its text fits in.
  form.resize(form.minimumSize());
  QVERIFY(form.rect().contains(window.Bar().geometry()));
  QVERIFY(QFontMetrics(window.Bar().font()).height() <= window.Bar().contentsRect().height());

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
  const OpenDialogSettings& source = window.Field("SourceField").DialogSettings();
  QCOMPARE(QString::fromStdString(source.title), QString("Select a file"));
  QCOMPARE(QString::fromStdString(source.filter), QString("*.*|*.*"));
  QVERIFY(source.multiSelect);
  const OpenDialogSettings& wad = window.Field("WadField").DialogSettings();
  QCOMPARE(QString::fromStdString(wad.title), QString("Select a wad"));
  QCOMPARE(QString::fromStdString(wad.filter), QString("*.wad|*.wad"));
  QCOMPARE(QString::fromStdString(wad.defaultExtension), QString("wad"));
  QVERIFY(!wad.multiSelect);
  QCOMPARE(QString::fromStdString(form.SaveDialog().title), QString("Please choose a folder"));
  QCOMPARE(QString::fromStdString(form.SaveDialog().filter), QString("folder to create|*.*"));

  window.dialogs.openAnswers = {{Native(window.dir / "x/cars.wad")}};
  window.Field("WadField").Browse();
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
  QCOMPARE(QString::fromStdString(form.SaveDialog().fileName), QString("/out/new.wad"));
  QCOMPARE(QString::fromStdString(form.SaveDialog().filter), QString("Wad file(*.wad)|*.wad"));
}

void MainWindowTest::progressBarClampsItsPosition() {
  Window window;
  MainWindow& form = window.Open();
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  form.ShowProgress(150, "Extracting files : 99%");
  QCOMPARE(bar->Position(), 100);
  QCOMPARE(bar->Text(), QString("Extracting files : 99%"));
  form.ShowProgressPosition(-3);
  QCOMPARE(bar->Position(), 0);
  QCOMPARE(bar->Text(), QString("Extracting files : 99%"));
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
      .SetText(Native(WadBuilder().Entry("maps\\a.dat", "AAA").WriteTo(window.dir / "cars.wad")));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("ExtractWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, Native(window.dir / "cars"));
  QCOMPARE(QString::fromStdString(testing::ReadFile(window.dir / "out/maps/a.dat")),
           QString("AAA"));
  auto* bar = form.findChild<TextProgressBar*>("ProgressBar");
  QCOMPARE(bar->Text(), QString("Wad extracted in 0s"));
  QCOMPARE(bar->Position(), 0);
  QVERIFY(window.dialogs.errors.empty());
}

void MainWindowTest::aBrokenWadEndsTheExtractionWithTheErrorBox() {
  Window window;
  MainWindow& form = window.Open();
  const std::string wad =
      WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(window.dir / "x.wad");
  window.Field("WadField").SetText(Native(wad));
  window.dialogs.saveAnswers = {Native(window.dir / "out")};
  QTest::mouseClick(form.findChild<QPushButton*>("ExtractWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.errors, std::vector<QString>{"Lecture au-delà de la fin de fichier."});
}

void MainWindowTest::updateButtonsRefuseThenUpdateOnlyTheWadOfTheField() {
  Window window;
  MainWindow& form = window.Open();
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(window.dir / "x.wad");
  window.Field("WadField").SetText(Native(wad));
  auto* updateWad = form.findChild<QPushButton*>("UpdateWadButton");
  auto* updateTracks = form.findChild<QPushButton*>("UpdateTrackWadsButton");

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QTest::mouseClick(updateTracks, Qt::LeftButton);
  QCOMPARE(window.dialogs.messages,
           (std::vector<QString>(2, "Sorry but you have to choose source file(s) first.")));

  window.Field("SourceField").SetText(Native(window.dir.WriteFile("mod/a.dat", "new")));
  QTest::mouseClick(updateTracks, Qt::LeftButton);  // no game folder known
  QCOMPARE(window.dialogs.messages.back(), QString("Sorry but the GP4 folder was not found."));
  QVERIFY(!window.state.TrackMode);

  QTest::mouseClick(updateWad, Qt::LeftButton);
  QVERIFY(testing::ReadFile(wad) == WadBuilder().Entry("a.dat", "new").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->Text(), QString("Update done in 0s"));
  QCOMPARE(window.dialogs.messages.size(), std::size_t{3});
}

void MainWindowTest::createButtonPacksTheSourceFolderIntoTheWadChosen() {
  Window window;
  MainWindow& form = window.Open();
  window.dir.WriteFile("data/a.txt", "A");
  window.dir.WriteFile("data/b.txt", "B");
  window.Field("SourceField").SetText(Native(window.dir / "data"));
  window.dialogs.saveAnswers = {Native(window.dir / "new.wad")};
  QTest::mouseClick(form.findChild<QPushButton*>("CreateWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.saveShown.at(0).fileName, QString("data.wad"));
  QCOMPARE(window.dialogs.saveShown.at(0).filter, QString("Wad file(*.wad)|*.wad"));
  QVERIFY(testing::ReadFile(window.dir / "new.wad") ==
          WadBuilder().Entry("a.txt", "A").Entry("b.txt", "B").Build());
  QCOMPARE(form.findChild<TextProgressBar*>("ProgressBar")->Text(), QString("Wad created in 0s"));
}

void MainWindowTest::anOperationTakesNoInputWhileItRunsButKeepsRepainting() {
  Window window;
  MainWindow& form = window.Open();
  FolderPicker picker(
      [&window](const QString& folder) { window.form->SetSourceFieldText(folder); });
  GameFolderWindow gameFolder([](const QString&) {});
  form.SetSecondaryWindows(&picker, &gameFolder);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  window.Field("WadField")
      .SetText(Native(
          WadBuilder().Entry("a.dat", "A").Entry("b.dat", "B").WriteTo(window.dir / "x.wad")));
  window.dialogs.saveAnswers = {Native(window.dir / "out"), Native(window.dir / "out2")};
  window.Button("ExtractWadButton").setFocus();

  // Runs in the middle of the extraction, once the window takes its events again: the
  // clicks and keys that come meanwhile must neither start a run nor change a field.
  bool ranDuringTheRun = false;
  QStringList enabledDuringTheRun;
  QTimer::singleShot(0, [&] {
    ranDuringTheRun = true;
    enabledDuringTheRun = EnabledInputControls(form);
    QTest::mouseClick(&window.Button("ExtractWadButton"), Qt::LeftButton);
    QTest::mouseClick(&window.Button("UpdateWadButton"), Qt::LeftButton);
    QTest::keyClicks(window.Field("SourceField").LineEdit(), "typed");
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    QTest::mouseClick(picker.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    QVERIFY(!form.close());
  });
  QTest::mouseClick(&window.Button("ExtractWadButton"), Qt::LeftButton);

  QVERIFY(ranDuringTheRun);
  QCOMPARE(enabledDuringTheRun, QStringList());
  QCOMPARE(window.dialogs.saveShown.size(), std::size_t{1});
  QVERIFY(window.dialogs.messages.empty());
  QVERIFY(window.dialogs.questions.empty());
  QCOMPARE(window.Field("SourceField").Text(), QString("...or select a file"));
  QCOMPARE(window.Bar().Text(), QString("Wad extracted in 0s"));
  QCOMPARE(EnabledInputControls(form).size(), std::size(kInputControls) + 2);
  QCOMPARE(QApplication::focusWidget(), &window.Button("ExtractWadButton"));
  QVERIFY(form.isVisible());
}

void MainWindowTest::aRunEndingWithAnErrorOrARefusalLeavesTheBarEmptyAndTheWindowUsable() {
  Window window;
  MainWindow& form = window.Open();
  const std::string wad = WadBuilder().Entry("a.dat", "old").WriteTo(window.dir / "x.wad");
  const std::string broken =
      WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(window.dir / "y.wad");
  window.Field("SourceField").SetText(Native(window.dir.WriteFile("mod/a.dat", "new")));
  const auto succeed = [&] {
    window.Field("WadField").SetText(Native(wad));
    QTest::mouseClick(&window.Button("UpdateWadButton"), Qt::LeftButton);
    QCOMPARE(window.Bar().Text(), QString("Update done in 0s"));
  };

  succeed();
  window.Field("WadField").SetText(Native(broken));
  QTest::mouseClick(&window.Button("UpdateWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.errors, std::vector<QString>{"Lecture au-delà de la fin de fichier."});
  QCOMPARE(window.Bar().Text(), QString());
  QCOMPARE(window.Bar().Position(), 0);
  QCOMPARE(EnabledInputControls(form).size(), std::size(kInputControls));

  succeed();
  window.Field("WadField").SetText(Native(window.dir / "missing.wad"));
  QTest::mouseClick(&window.Button("UpdateWadButton"), Qt::LeftButton);
  QCOMPARE(window.dialogs.messages,
           std::vector<QString>{"Sorry but you surely did a mistake in wad's pathname :)"});
  QCOMPARE(window.Bar().Text(), QString());
  QCOMPARE(window.Bar().Position(), 0);
  QCOMPARE(EnabledInputControls(form).size(), std::size(kInputControls));
}

void MainWindowTest::errorAndMessageBoxesHoldTheTextAndOneOk() {
  QtDialogs dialogs;
  ShownBox error;
  AnswerNextBoxWithEnter(error);
  dialogs.Error(nullptr, "Lecture au-delà de la fin de fichier.");
  QCOMPARE(error.caption, QString("Quillmoor 2.9"));
  QCOMPARE(error.icon, QMessageBox::Critical);
  QCOMPARE(error.text, QString("Lecture au-delà de la fin de fichier."));
  QCOMPARE(error.buttons, QStringList{"OK"});
  QCOMPARE(error.detailedText, QString());

  ShownBox message;
  AnswerNextBoxWithEnter(message);
  dialogs.Message(nullptr, "Sorry but you havn't selected a wad file.");
  QCOMPARE(message.caption, QString("Quillmoor 2.9"));
  QCOMPARE(message.icon, QMessageBox::NoIcon);
  QCOMPARE(message.buttons, QStringList{"OK"});
}

void MainWindowTest::enterPressesTheFocusedButton() {
  Window window;
  MainWindow& form = window.Open();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  for (const char* name : {"CreateWadButton", "UpdateWadButton", "UpdateTrackWadsButton"}) {
    window.Button(name).setFocus();
    QTest::keyClick(&window.Button(name), Qt::Key_Return);
    QTest::keyClick(&window.Button(name), Qt::Key_Enter, Qt::KeypadModifier);
  }
  std::vector<QString> refusals(2, "Sorry but you have to choose a source folder first.");
  refusals.resize(6, "Sorry but you have to choose source file(s) first.");
  QCOMPARE(window.dialogs.messages, refusals);
}

void MainWindowTest::windowTitlesAreExactlyTheirOwn() {
  // A display name set on the application is added by the window system to every title.
  SetUpApplication();
  const QString name = QApplication::applicationName();
  QApplication::setApplicationName("probe");
  QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
  QApplication::setApplicationName(name);
}

void MainWindowTest::ctrlZPutsBackTheWadTheLastRunReplacedAfterAsking() {
  Window window;
  MainWindow& form = window.Open();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const std::string old = WadBuilder().Entry("old.txt", "O").Build();
  const std::string wad = window.dir.WriteFile("cars.wad", old);
  window.dir.WriteFile("data/a.txt", "A");
  window.dir.WriteFile("data/b.txt", "B");
  window.Field("SourceField").SetText(Native(window.dir / "data"));
  window.dialogs.saveAnswers = {Native(wad)};
  QTest::mouseClick(&window.Button("CreateWadButton"), Qt::LeftButton);
  const std::string created = testing::ReadFile(wad);
  QVERIFY(created != old);

  // No keeps everything as it is; Yes puts the previous version back; again, the change.
  QTest::keyClick(&window.Button("CreateWadButton"), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(window.dialogs.questions,
           std::vector<QString>{QString("Put back the previous version of cars.wad?")});
  QVERIFY(testing::ReadFile(wad) == created);
  window.dialogs.questionAnswers = {true, true};
  QTest::keyClick(&window.Button("CreateWadButton"), Qt::Key_Z, Qt::ControlModifier);
  QVERIFY(testing::ReadFile(wad) == old);
  QCOMPARE(window.Bar().Text(), QString("Undo done in 0s"));
  // The wad field's context menu offers the same.
  QString offered;
  QTimer::singleShot(0, [&offered] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* menu = qobject_cast<QMenu*>(top);
      if (menu == nullptr || !menu->isVisible()) continue;
      QAction* undo = menu->findChild<QAction*>("UndoLastChange");
      offered = undo->text();
      menu->close();
      undo->trigger();
    }
  });
  emit window.Field("WadField").LineEdit()->customContextMenuRequested(QPoint(2, 2));
  QTRY_COMPARE(offered, QString("Undo last change"));
  QVERIFY(testing::ReadFile(wad) == created);
  QVERIFY(window.dialogs.messages.empty());
}

void MainWindowTest::keepBackupZeroKeepsNoPreviousVersion() {
  Window window;
  window.Store("KeepBackup", 0);
  MainWindow& form = window.Open();
  const std::string wad = window.dir.WriteFile("cars.wad", WadBuilder().Build());
  window.dir.WriteFile("data/a.txt", "A");
  window.dir.WriteFile("data/b.txt", "B");
  window.Field("SourceField").SetText(Native(window.dir / "data"));
  window.dialogs.saveAnswers = {Native(wad)};
  QTest::mouseClick(&window.Button("CreateWadButton"), Qt::LeftButton);
  QVERIFY(!std::filesystem::exists(wad + ".bak"));
  window.dialogs.questionAnswers = {true};
  form.UndoLastChange();
  QCOMPARE(window.dialogs.messages,
           std::vector<QString>{QString(
               "Sorry but this window hasn't replaced a wad whose previous version it kept.")});
}

}  // namespace quillmoor

QTEST_MAIN(quillmoor::MainWindowTest)
#include "MainWindowTest.moc"
