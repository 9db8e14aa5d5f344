#include "WadUnit/TForm1.h"

#include <QDir>
#include <QLocale>
#include <utility>

#include "WadUnit/ButtonPictures.h"
#include "WadUnit/DialogFont.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"
#include "settings/GameFolder.h"
#include "wad/Creation.h"
#include "wad/Extraction.h"
#include "wad/IoError.h"
#include "wad/Update.h"

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

TForm1::TForm1(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
               InstallationRecordReader readRecord, Clock& clock, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      store_(store),
      state_(state),
      readRecord_(std::move(readRecord)),
      clock_(clock) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Quillmoor 2.9"));
  setFont(DialogFont());
  resize(kClientSize);
  setMinimumSize(kMinimumClientSize);
  BuildControls();
  connect(lmdFile1_, &FileNameEdit::browsed, this, &TForm1::LMDFile1Click);
  connect(selectFolder_, &QPushButton::clicked, this, &TForm1::SelectFolderClick);
  connect(btnGP4Path_, &QPushButton::clicked, this, &TForm1::SetGP4Path);
  connect(btnCreateWad_, &QPushButton::clicked, this, &TForm1::LMDCreateWadClick);
  connect(btnExtractWad_, &QPushButton::clicked, this, &TForm1::ExtractClick);
  connect(btnUpdate1Wad_, &QPushButton::clicked, this, &TForm1::Update1wad);
  connect(btnUpdateTracks_, &QPushButton::clicked, this, &TForm1::UpdateWads);
  FormCreate();
}

void TForm1::BuildControls() {
  label1_ = Placed(new QLabel(QStringLiteral("Select file(s) to replace in wad(s)"), this),
                   "Label1", {8, 4, 152, 13});
  selectFolder_ = Placed(new QPushButton(QStringLiteral("Select a Folder"), this), "SelectFolder",
                         {176, 4, 121, 15});
  lmdFile1_ =
      Placed(new FileNameEdit(dialogs_, SourceDialog(), this), "LMDFile1", {8, 21, 417, 20});
  lmdFile1_->setText(QString::fromLatin1(kNoSourceText));
  label2_ = Placed(
      new QLabel(QStringLiteral("Select one of the GP4's wad to patch or the wad to extract"),
                 this),
      "Label2", {8, 52, 277, 13});
  btnGP4Path_ = Placed(new QPushButton(QStringLiteral("Change GP4 Path"), this), "BtnGP4Path",
                       {320, 52, 105, 15});
  lmdFile2_ = Placed(new FileNameEdit(dialogs_, WadDialog(), this), "LMDFile2", {8, 69, 417, 20});
  btnCreateWad_ =
      OperationButton(this, "BtnCreateWad", "Create wad", {8, 96, 88, 22}, CreateWadPicture());
  btnUpdate1Wad_ =
      OperationButton(this, "BtnUpdate1Wad", "Update wad", {104, 96, 88, 22}, UpdateWadPicture());
  btnExtractWad_ =
      OperationButton(this, "BtnExtractWad", "Extract wad", {200, 96, 88, 22}, ExtractWadPicture());
  btnUpdateTracks_ = OperationButton(this, "BtnUpdateTracks", "Update track wads",
                                     {304, 96, 121, 22}, UpdateTracksPicture());
  progressBar_ = Placed(new TextProgressBar(this), "ProgressBar", {8, 126, 417, 16});

  QWidget::setTabOrder(selectFolder_, lmdFile1_);
  QWidget::setTabOrder(lmdFile1_, lmdFile2_);
  QWidget::setTabOrder(lmdFile2_, btnCreateWad_);
  QWidget::setTabOrder(btnCreateWad_, btnUpdate1Wad_);
  QWidget::setTabOrder(btnUpdate1Wad_, btnExtractWad_);
  QWidget::setTabOrder(btnExtractWad_, btnUpdateTracks_);
  QWidget::setTabOrder(btnUpdateTracks_, btnGP4Path_);
  selectFolder_->setFocus();
}

void TForm1::FormCreate() {
  Guarded([this] {
    RunStartupFill(state_, store_, readRecord_, *this, QDir::currentPath().toStdString());
  });
}

void TForm1::SetSecondaryWindows(QWidget* folderPicker, QWidget* gameFolderWindow) {
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

void TForm1::SelectFolderClick() { ShowWithoutBlocking(folderPicker_); }

void TForm1::SetGP4Path() { ShowWithoutBlocking(gameFolderWindow_); }

void TForm1::SetSourceFieldText(const QString& text) { lmdFile1_->setText(text); }

void TForm1::LMDFile1Click() {
  const std::string text = SourceText();
  if (text.starts_with("...")) return;
  if (!FileExists(text)) return;
  SetSourceDialogFolder(Path(text));
}

void TForm1::LMDCreateWadClick() {
  Guarded([this] { CreateWad(*this, state_, NativeFileSystem()); });
}

void TForm1::ExtractClick() {
  Guarded([this] { ExtractWad(*this, NativeFileSystem()); });
}

void TForm1::Update1wad() {
  Guarded([this] { RunUpdate(*this, state_, NativeFileSystem()); });
}

void TForm1::UpdateWads() {
  state_.TrackMode = true;
  Update1wad();
}

std::string TForm1::SourceText() { return lmdFile1_->text().toStdString(); }

std::string TForm1::WadText() { return lmdFile2_->text().toStdString(); }

void TForm1::ShowMessage(const std::string& text) { dialogs_.Message(this, Text(text)); }

SaveDialogAnswer TForm1::AskSaveFileName(const std::string& fileName, const std::string& filter) {
  saveDialog_.fileName = Text(fileName);
  saveDialog_.filter = Text(filter);
  const std::optional<QString> chosen =
      dialogs_.SaveFile(this, saveDialog_.title, saveDialog_.fileName, saveDialog_.filter);
  if (chosen) saveDialog_.fileName = QDir::toNativeSeparators(*chosen);
  return {chosen.has_value(), saveDialog_.fileName.toStdString()};
}

void TForm1::ShowProgress(int position, const std::string& text) {
  progressBar_->setPosition(position);
  progressBar_->setText(Text(text));
  progressBar_->repaint();
}

void TForm1::ShowProgressPosition(int position) {
  progressBar_->setPosition(position);
  progressBar_->repaint();
}

void TForm1::RepaintNow() { repaint(); }

std::string TForm1::DecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

SettingsValues& TForm1::Settings() { return store_; }

Clock& TForm1::TimeSource() { return clock_; }

std::string TForm1::GamePath() { return GetPath(store_, readRecord_, state_.GameFolderFound); }

void TForm1::SetSourceText(const std::string& text) { lmdFile1_->setText(Text(text)); }

void TForm1::SetSourceDialogFolder(const std::string& folder) {
  lmdFile1_->setInitialFolder(Text(folder));
}

void TForm1::SetWadDialogFolder(const std::string& folder) {
  lmdFile2_->setInitialFolder(Text(folder));
}

void TForm1::SetWadText(const std::string& text) { lmdFile2_->setText(Text(text)); }

void TForm1::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ShowErrorBox(error);
  }
}

void TForm1::ShowErrorBox(const std::exception& error) {
  const auto* ioError = dynamic_cast<const IoError*>(&error);
  const QString details = ioError != nullptr ? Text(ioError->fileName()) : QString();
  dialogs_.Error(this, Text(ErrorBoxText(error.what())), details);
}

}  // namespace quillmoor
