#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <utility>

#include "gui/ButtonPictures.h"
#include "gui/DialogFont.h"
#include "gui/EnterKeyButton.h"
#include "gui/ErrorBox.h"
#include "operations/Creation.h"
#include "operations/Extraction.h"
#include "operations/Undo.h"
#include "operations/Update.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"
#include "settings/GameFolder.h"

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 441 x 181 outside. At its smallest the window
// still shows the whole progress bar, so its text stays readable.
constexpr QSize kClientSize(433, 147);
constexpr QSize kMinimumClientSize(433, 142);

// How often a running operation shows its progress and lets the window take its events, in
// milliseconds: often enough to look continuous; painting each of thousands of steps would
// cost more than the work.
constexpr qint64 kRefreshInterval = 20;

QString Text(const std::string& text) { return QString::fromStdString(text); }

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
      store_(store),
      state_(state),
      readRecord_(std::move(readRecord)),
      clock_(clock) {
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

void MainWindow::FillFieldsAtStartup() {
  Guarded([this] {
    RunStartupFill(state_, store_, readRecord_, *this, QDir::currentPath().toStdString());
  });
}

void MainWindow::SetSecondaryWindows(FolderPicker* folderPicker,
                                     GameFolderWindow* gameFolderWindow) {
  folderPicker_ = folderPicker;
  gameFolderWindow_ = gameFolderWindow;
}

void MainWindow::ChooseSourceFolder() {
  if (folderPicker_ != nullptr) folderPicker_->OpenAt(SourceFolderInUse());
}

// A game folder that can't be looked up (a broken installation record) leaves the error box;
// the window opens all the same, so that the user can point at the folder by hand.
void MainWindow::OpenGameFolderWindow() {
  if (gameFolderWindow_ == nullptr) return;
  std::string gameFolder;
  Guarded([this, &gameFolder] {
    bool found = false;
    gameFolder = FindGameFolder(store_, readRecord_, found);
  });
  gameFolderWindow_->OpenAt(Text(gameFolder));
}

QString MainWindow::SourceFolderInUse() const {
  const QFileInfo source(sourceField_->text());
  if (sourceField_->text().isEmpty() || !source.exists()) return {};
  return QDir::cleanPath(source.isDir() ? source.absoluteFilePath() : source.absolutePath());
}

void MainWindow::SetSourceFieldText(const QString& text) { sourceField_->setText(text); }

void MainWindow::SetWadFieldText(const QString& text) { wadField_->setText(text); }

void MainWindow::ChooseSourceFiles() {
  const std::string text = SourceText();
  if (text.starts_with("...")) return;
  if (!FileExists(text)) return;
  SetSourceDialogFolder(FolderPart(text));
}

void MainWindow::CreateWad() {
  RunOperation([this] {
    CreationOptions options;
    options.keepBackup = KeepsBackups(store_);
    quillmoor::CreateWad(*this, state_, NativeFileSystem(), options);
  });
}

void MainWindow::ExtractWad() {
  RunOperation([this] { quillmoor::ExtractWad(*this, NativeFileSystem()); });
}

void MainWindow::UpdateWad() {
  RunOperation([this] {
    UpdateOptions options;
    options.keepBackup = KeepsBackups(store_);
    RunUpdate(*this, state_, NativeFileSystem(), options);
  });
}

void MainWindow::UpdateTrackWads() {
  state_.TrackMode = true;
  UpdateWad();
}

void MainWindow::UndoLastChange() {
  RunOperation([this] { quillmoor::UndoLastChange(*this, state_, NativeFileSystem()); });
}

std::string MainWindow::SourceText() { return sourceField_->text().toStdString(); }

std::string MainWindow::WadText() { return wadField_->text().toStdString(); }

bool MainWindow::Confirm(const std::string& question) {
  return dialogs_.Question(this, Text(question));
}

// Every message ends its operation with a refusal.
void MainWindow::ShowMessage(const std::string& text) {
  ClearProgress();
  dialogs_.Message(this, Text(text));
}

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
  RefreshDuringRun();
}

void MainWindow::ShowProgressPosition(int position) {
  progressBar_->setPosition(position);
  RefreshDuringRun();
}

void MainWindow::RepaintNow() {
  repaint();
  QCoreApplication::processEvents();
}

std::string MainWindow::DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

SettingsValues& MainWindow::Settings() { return store_; }

Clock& MainWindow::TimeSource() { return clock_; }

std::string MainWindow::GamePath() {
  return FindGameFolder(store_, readRecord_, state_.GameFolderFound);
}

void MainWindow::SetSourceText(const std::string& text) { sourceField_->setText(Text(text)); }

void MainWindow::SetSourceDialogFolder(const std::string& folder) {
  sourceField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadDialogFolder(const std::string& folder) {
  wadField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadText(const std::string& text) { wadField_->setText(Text(text)); }

void MainWindow::Guarded(const std::function<void()>& work) {
  RunShowingErrors(dialogs_, this, work);
}

void MainWindow::RunOperation(const std::function<void()>& operation) {
  const QPointer<QWidget> focused = focusWidget();
  operationRunning_ = true;
  lastRefresh_.invalidate();
  SetTakingInput(false);
  RunShowingErrors(dialogs_, this, operation, [this] { ClearProgress(); });
  SetTakingInput(true);
  operationRunning_ = false;
  if (focused) focused->setFocus();
}

void MainWindow::SetTakingInput(bool taking) {
  QWidget* const controls[] = {selectFolder_,     sourceField_,          changeGamePathButton_,
                               wadField_,         createWadButton_,      updateWadButton_,
                               extractWadButton_, updateTrackWadsButton_};
  for (QWidget* control : controls) control->setEnabled(taking);
  if (folderPicker_ != nullptr) folderPicker_->setEnabled(taking);
  if (gameFolderWindow_ != nullptr) gameFolderWindow_->setEnabled(taking);
}

void MainWindow::RefreshDuringRun() {
  if (lastRefresh_.isValid() && lastRefresh_.elapsed() < kRefreshInterval) return;
  progressBar_->repaint();
  QCoreApplication::processEvents();
  lastRefresh_.start();
}

void MainWindow::ClearProgress() {
  progressBar_->setPosition(0);
  progressBar_->setText(QString());
  progressBar_->repaint();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (operationRunning_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace quillmoor
