#include "gui/MainWindow.h"

#include <QDir>
#include <QLocale>
#include <utility>

#include "gui/ButtonPictures.h"
#include "gui/DialogFont.h"

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 441 x 181 (at least 441 x 169) outside.
constexpr QSize kClientSize(433, 147);
constexpr QSize kMinimumClientSize(433, 135);

QString Text(const std::string& text) { return QString::fromStdString(text); }

template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& place) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
  return control;
}

QPushButton* OperationButton(QWidget* parent, const char* name, const char* text,
                             const QRect& place, const QIcon& picture) {
  auto* button = Placed(new QPushButton(QString::fromLatin1(text), parent), name, place);
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
  FillFieldsAtStartup();
}

void MainWindow::BuildControls() {
  sourceLabel_ = Placed(new QLabel(QStringLiteral("Select file(s) to replace in wad(s)"), this),
                        "SourceLabel", {8, 4, 152, 13});
  selectFolder_ = Placed(new QPushButton(QStringLiteral("Select a Folder"), this), "SelectFolder",
                         {176, 4, 121, 15});
  sourceField_ =
      Placed(new FileNameEdit(dialogs_, SourceDialog(), this), "SourceField", {8, 21, 417, 20});
  sourceField_->setText(QString::fromLatin1(kNoSourceText));
  wadLabel_ = Placed(
      new QLabel(QStringLiteral("Select one of the GP4's wad to patch or the wad to extract"),
                 this),
      "WadLabel", {8, 52, 277, 13});
  changeGamePathButton_ = Placed(new QPushButton(QStringLiteral("Change GP4 Path"), this),
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
  actions_.FillFieldsAtStartup(QDir::currentPath().toStdString());
}

void MainWindow::UseGameFolder(const std::string& folder) {
  actions_.UseGameFolder(folder, QDir::currentPath().toStdString());
}

void MainWindow::SetSecondaryWindows(QWidget* folderPicker, QWidget* gameFolderWindow) {
  folderPicker_ = folderPicker;
  gameFolderWindow_ = gameFolderWindow;
}

namespace {

void ShowWithoutBlocking(QWidget* window) {
  if (window == nullptr) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void MainWindow::ChooseSourceFolder() { ShowWithoutBlocking(folderPicker_); }

void MainWindow::OpenGameFolderWindow() { ShowWithoutBlocking(gameFolderWindow_); }

void MainWindow::SetSourceFieldText(const QString& text) { sourceField_->setText(text); }

void MainWindow::ChooseSourceFiles() { actions_.SourceBrowsed(); }

void MainWindow::CreateWad() { actions_.CreateWad(); }

void MainWindow::ExtractWad() { actions_.ExtractWad(); }

void MainWindow::UpdateWad() { actions_.UpdateWad(); }

void MainWindow::UpdateTrackWads() { actions_.UpdateTrackWads(); }

std::string MainWindow::SourceText() { return sourceField_->text().toStdString(); }

std::string MainWindow::WadText() { return wadField_->text().toStdString(); }

void MainWindow::ShowMessage(const std::string& text) { dialogs_.Message(this, Text(text)); }

void MainWindow::ShowErrorBox(const std::string& text, const std::string& fileName) {
  dialogs_.Error(this, Text(text), Text(fileName));
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
  progressBar_->repaint();
}

void MainWindow::ShowProgressPosition(int position) {
  progressBar_->setPosition(position);
  progressBar_->repaint();
}

void MainWindow::RepaintNow() { repaint(); }

std::string MainWindow::DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

void MainWindow::SetInputEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           selectFolder_, sourceField_, changeGamePathButton_, wadField_, createWadButton_,
           updateWadButton_, extractWadButton_, updateTrackWadsButton_}) {
    control->setEnabled(enabled);
  }
}

void MainWindow::SetSourceText(const std::string& text) { sourceField_->setText(Text(text)); }

void MainWindow::SetSourceDialogFolder(const std::string& folder) {
  sourceField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadDialogFolder(const std::string& folder) {
  wadField_->setInitialFolder(Text(folder));
}

void MainWindow::SetWadText(const std::string& text) { wadField_->setText(Text(text)); }

}  // namespace quillmoor
