#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QShortcut>
#include <utility>

#include "gui/ButtonPictures.h"
#include "gui/DialogFont.h"
#include "gui/EnterKeyButton.h"
#include "io/FileSystem.h"
#include "settings/StartupFill.h"

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 441 x 181 outside. At its smallest the window
// still shows the whole progress bar, so its text stays readable.
constexpr QSize kClientSize(433, 147);
constexpr QSize kMinimumClientSize(433, 142);

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string CurrentFolder() { return QDir::currentPath().toStdString(); }

template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& place) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
  return control;
}

QPushButton* OperationButton(QWidget* parent, const char* name, const char* text,
                             const QRect& place, const QIcon& picture) {
  auto* button = Placed(new EnterKeyButton(QString::fromLatin1(text), parent), name, place);
  button->setIcon(picture);
  button->setIconSize(QSize(16, 16));
  return button;
}

OpenDialogSettings SourceDialog() {
  OpenDialogSettings settings;
  settings.title = QStringLiteral("Select a file");
  settings.filter = QStringLiteral("*.*|*.*");
  settings.multiSelect = true;
  return settings;
}

OpenDialogSettings WadDialog() {
  OpenDialogSettings settings;
  settings.title = QStringLiteral("Select a wad");
  settings.filter = QStringLiteral("*.wad|*.wad");
  settings.defaultExtension = QStringLiteral("wad");
  return settings;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
                       InstallationRecordReader readRecord, Clock& clock, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      actions_(*this, store, state, std::move(readRecord), clock, NativeFileSystem()) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Quillmoor 2.9"));
  setFont(DialogFont());
  resize(kClientSize);
  setMinimumSize(kMinimumClientSize);
  BuildControls();
  connect(sourceField_, &FileNameEdit::browsed, this, &MainWindow::ChooseSourceFiles);
  connect(selectFolder_, &QPushButton::clicked, this, &MainWindow::ChooseSourceFolder);
  connect(changeGamePathButton_, &QPushButton::clicked, this, &MainWindow::OpenGameFolderWindow);
  connect(createWadButton_, &QPushButton::clicked, this, &MainWindow::CreateWad);
  connect(extractWadButton_, &QPushButton::clicked, this, &MainWindow::ExtractWad);
  connect(updateWadButton_, &QPushButton::clicked, this, &MainWindow::UpdateWad);
  connect(updateTrackWadsButton_, &QPushButton::clicked, this, &MainWindow::UpdateTrackWads);
  OfferUndo();
  FillFieldsAtStartup();
}

void MainWindow::OfferUndo() {
  auto* undo = new QShortcut(QKeySequence::Undo, this);
  connect(undo, &QShortcut::activated, this, &MainWindow::UndoLastChange);
  QLineEdit* wadEdit = wadField_->lineEdit();
  wadEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(wadEdit, &QLineEdit::customContextMenuRequested, this, [this, wadEdit](QPoint at) {
    QMenu* menu = wadEdit->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* undoChange = menu->addAction(QStringLiteral("Undo last change"));
    undoChange->setObjectName(QStringLiteral("UndoLastChange"));
    connect(undoChange, &QAction::triggered, this, &MainWindow::UndoLastChange);
    menu->popup(wadEdit->mapToGlobal(at));
  });
}

void MainWindow::BuildControls() {
  sourceLabel_ = Placed(new QLabel(QStringLiteral("Select file(s) to replace in wad(s)"), this),
                        "SourceLabel", {8, 4, 152, 13});
  selectFolder_ = Placed(new EnterKeyButton(QStringLiteral("Select a Folder"), this),
                         "SelectFolder", {176, 4, 121, 15});
  sourceField_ =
      Placed(new FileNameEdit(dialogs_, SourceDialog(), this), "SourceField", {8, 21, 417, 20});
  sourceField_->setText(QString::fromLatin1(kNoSourceText));
  wadLabel_ = Placed(
      new QLabel(QStringLiteral("Select one of the GP4's wad to patch or the wad to extract"),
                 this),
      "WadLabel", {8, 52, 277, 13});
  changeGamePathButton_ = Placed(new EnterKeyButton(QStringLiteral("Change GP4 Path"), this),
                                 "ChangeGamePathButton", {320, 52, 105, 15});
  wadField_ = Placed(new FileNameEdit(dialogs_, WadDialog(), this), "WadField", {8, 69, 417, 20});
  createWadButton_ =
      OperationButton(this, "CreateWadButton", "Create wad", {8, 96, 88, 22}, CreateWadPicture());
  updateWadButton_ =
      OperationButton(this, "UpdateWadButton", "Update wad", {104, 96, 88, 22}, UpdateWadPicture());
  extractWadButton_ = OperationButton(this, "ExtractWadButton", "Extract wad", {200, 96, 88, 22},
                                      ExtractWadPicture());
  updateTrackWadsButton_ = OperationButton(this, "UpdateTrackWadsButton", "Update track wads",
                                           {304, 96, 121, 22}, UpdateTracksPicture());
  progressBar_ = Placed(new TextProgressBar(this), "ProgressBar", {8, 126, 417, 16});

  QWidget::setTabOrder(selectFolder_, sourceField_);
  QWidget::setTabOrder(sourceField_, wadField_);
  QWidget::setTabOrder(wadField_, createWadButton_);
  QWidget::setTabOrder(createWadButton_, updateWadButton_);
  QWidget::setTabOrder(updateWadButton_, extractWadButton_);
  QWidget::setTabOrder(extractWadButton_, updateTrackWadsButton_);
  QWidget::setTabOrder(updateTrackWadsButton_, changeGamePathButton_);
  selectFolder_->setFocus();
}

void MainWindow::FillFieldsAtStartup() { actions_.FillFieldsAtStartup(CurrentFolder()); }

void MainWindow::SetSecondaryWindows(FolderPicker* folderPicker,
                                     GameFolderWindow* gameFolderWindow) {
  folderPicker_ = folderPicker;
  gameFolderWindow_ = gameFolderWindow;
}

void MainWindow::ChooseSourceFolder() {
  if (folderPicker_ != nullptr) folderPicker_->OpenAt(Text(actions_.SourceFolderInUse()));
}

void MainWindow::OpenGameFolderWindow() {
  if (gameFolderWindow_ != nullptr) gameFolderWindow_->OpenAt(Text(actions_.GameFolderInUse()));
}

void MainWindow::SetSourceFieldText(const QString& text) { sourceField_->setText(text); }

void MainWindow::SetWadFieldText(const QString& text) { wadField_->setText(text); }

void MainWindow::UseGameFolder(const QString& folder) {
  actions_.UseGameFolder(folder.toStdString(), CurrentFolder());
}

void MainWindow::ChooseSourceFiles() { actions_.SourceBrowsed(); }

void MainWindow::CreateWad() { actions_.CreateWad(); }

void MainWindow::ExtractWad() { actions_.ExtractWad(); }

void MainWindow::UpdateWad() { actions_.UpdateWad(); }

void MainWindow::UpdateTrackWads() { actions_.UpdateTrackWads(); }

void MainWindow::UndoLastChange() { actions_.UndoLastChange(); }

std::string MainWindow::SourceText() { return sourceField_->text().toStdString(); }

std::string MainWindow::WadText() { return wadField_->text().toStdString(); }

bool MainWindow::AskYesNo(const std::string& question) {
  return dialogs_.Question(this, Text(question));
}

void MainWindow::ShowMessage(const std::string& text) { dialogs_.Message(this, Text(text)); }

void MainWindow::ShowErrorBox(const std::string& text) { dialogs_.Error(this, Text(text)); }

SaveDialogAnswer MainWindow::AskSaveFileName(const std::string& fileName,
                                             const std::string& filter) {
  saveDialog_.fileName = Text(fileName);
  saveDialog_.filter = Text(filter);
  const std::optional<QString> chosen =
      dialogs_.SaveFile(this, saveDialog_.title, saveDialog_.fileName, saveDialog_.filter);
  if (chosen) saveDialog_.fileName = QDir::toNativeSeparators(*chosen);
  return {chosen.has_value(), saveDialog_.fileName.toStdString()};
}

void MainWindow::ShowProgress(int position, const std::string& text) {
  progressBar_->setPosition(position);
  progressBar_->setText(Text(text));
}

void MainWindow::ShowProgressPosition(int position) { progressBar_->setPosition(position); }

void MainWindow::RefreshDuringRun() {
  progressBar_->repaint();
  QCoreApplication::processEvents();
}

void MainWindow::RepaintNow() {
  repaint();
  QCoreApplication::processEvents();
}

std::string MainWindow::DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

void MainWindow::SetInputEnabled(bool enabled) {
  if (!enabled) focusBeforeRun_ = focusWidget();
  QWidget* const controls[] = {selectFolder_,     sourceField_,          changeGamePathButton_,
                               wadField_,         createWadButton_,      updateWadButton_,
                               extractWadButton_, updateTrackWadsButton_};
  for (QWidget* control : controls) control->setEnabled(enabled);
  if (folderPicker_ != nullptr) folderPicker_->setEnabled(enabled);
  if (gameFolderWindow_ != nullptr) gameFolderWindow_->setEnabled(enabled);
  if (enabled && focusBeforeRun_) focusBeforeRun_->setFocus();
}

void MainWindow::SetSourceText(const std::string& text) { sourceField_->setText(Text(text)); }

void MainWindow::SetSourceDialogFolder(const std::string& folder) {
  sourceField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadDialogFolder(const std::string& folder) {
  wadField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadText(const std::string& text) { wadField_->setText(Text(text)); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (actions_.Running()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace quillmoor
