#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QShortcut>
#include <utility>

#include "gui/ButtonPictures.h"
#include "gui/DialogFont.h"
#include "gui/EnterKeyButton.h"
#include "operations/Version.h"

namespace quillmoor {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QSize QtSize(DesignSize size) { return {size.width, size.height}; }

QRect QtRect(const DesignRect& place) { return {place.left, place.top, place.width, place.height}; }

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
                       InstallationRecordReader readRecord, Clock& clock, QWidget* parent)
    : QWidget(parent),
      MainWindowActions(store, state, std::move(readRecord), clock, NativeFileSystem()),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setFont(DialogFont());
  resize(QtSize(kMainWindowClientSize));
  setMinimumSize(QtSize(kMainWindowMinimumClientSize));
  QWidget* previous = nullptr;
  for (const ControlDescription& description : MainWindowControlsInTabOrder()) {
    QWidget* control = MakeControl(description);
    controls_[static_cast<std::size_t>(description.control)] = control;
    if (description.tab == kNoTabStop) continue;
    if (previous == nullptr) control->setFocus();
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
  ConnectClicks();
  OfferUndo();
  FillFieldsAtStartup();
}

QWidget* MainWindow::MakeControl(const ControlDescription& description) {
  const QString text = QString::fromLatin1(description.text);
  QWidget* control = nullptr;
  switch (description.kind) {
    case ControlKind::Label:
      control = new QLabel(text, this);
      break;
    case ControlKind::SmallButton:
      control = new EnterKeyButton(text, this);
      break;
    case ControlKind::OperationButton: {
      auto* button = new EnterKeyButton(text, this);
      button->setIcon(ButtonPictureIcon(description.picture));
      button->setIconSize(QSize(16, 16));
      control = button;
      break;
    }
    case ControlKind::FileNameField: {
      auto* field = new FileNameEdit(dialogs_, FieldDialog(description.control), this);
      field->SetText(text);
      control = field;
      break;
    }
    case ControlKind::ProgressBar:
      progressBar_ = new TextProgressBar(this);
      control = progressBar_;
      break;
  }
  control->setObjectName(QString::fromLatin1(description.name));
  control->setGeometry(QtRect(description.place));
  return control;
}

void MainWindow::ConnectClicks() {
  for (const ControlDescription& description : MainWindowLayout()) {
    if (auto* button = qobject_cast<QPushButton*>(Control(description.control))) {
      connect(button, &QPushButton::clicked, this,
              [this, control = description.control] { Press(control); });
    }
  }
  connect(Field(MainWindowControl::SourceField), &FileNameEdit::Browsed, this,
          [this] { SourceBrowsed(); });
}

void MainWindow::OfferUndo() {
  auto* undo = new QShortcut(QKeySequence::Undo, this);
  connect(undo, &QShortcut::activated, this, [this] { UndoLastChange(); });
  QLineEdit* wadEdit = Field(MainWindowControl::WadField)->LineEdit();
  wadEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(wadEdit, &QLineEdit::customContextMenuRequested, this, [this, wadEdit](QPoint at) {
    QMenu* menu = wadEdit->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* undoChange = menu->addAction(QStringLiteral("Undo last change"));
    undoChange->setObjectName(QStringLiteral("UndoLastChange"));
    connect(undoChange, &QAction::triggered, this, [this] { UndoLastChange(); });
    menu->popup(wadEdit->mapToGlobal(at));
  });
}

QWidget* MainWindow::Control(MainWindowControl control) const {
  return controls_[static_cast<std::size_t>(control)];
}

FileNameEdit* MainWindow::Field(MainWindowControl control) const {
  return static_cast<FileNameEdit*>(Control(control));
}

void MainWindow::SetSourceFieldText(const QString& text) {
  Field(MainWindowControl::SourceField)->SetText(text);
}

void MainWindow::SetWadFieldText(const QString& text) {
  Field(MainWindowControl::WadField)->SetText(text);
}

std::string MainWindow::SourceText() {
  return Field(MainWindowControl::SourceField)->Text().toStdString();
}

std::string MainWindow::WadText() {
  return Field(MainWindowControl::WadField)->Text().toStdString();
}

bool MainWindow::Confirm(const std::string& question) {
  return dialogs_.Question(this, Text(question));
}

void MainWindow::ShowMessageBox(const std::string& text) { dialogs_.Message(this, Text(text)); }

void MainWindow::ShowErrorBox(const std::string& text) { dialogs_.Error(this, Text(text)); }

std::optional<std::string> MainWindow::ShowSaveDialog(const SaveDialogSettings& settings) {
  const std::optional<QString> chosen =
      dialogs_.SaveFile(this, Text(settings.title), Text(settings.fileName), Text(settings.filter));
  if (!chosen) return std::nullopt;
  return QDir::toNativeSeparators(*chosen).toStdString();
}

void MainWindow::SetBar(int position, const std::string& text) {
  progressBar_->SetPosition(position);
  progressBar_->SetText(Text(text));
}

void MainWindow::SetBarPosition(int position) { progressBar_->SetPosition(position); }

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
  for (const ControlDescription& description : MainWindowLayout()) {
    if (TakesInput(description.kind)) Control(description.control)->setEnabled(enabled);
  }
}

void MainWindow::RememberFocus() { focusBeforeRun_ = focusWidget(); }

void MainWindow::RestoreFocus() {
  if (focusBeforeRun_) focusBeforeRun_->setFocus();
}

std::string MainWindow::CurrentFolder() { return QDir::currentPath().toStdString(); }

void MainWindow::SetSourceText(const std::string& text) { SetSourceFieldText(Text(text)); }

void MainWindow::SetSourceDialogFolder(const std::string& folder) {
  Field(MainWindowControl::SourceField)->SetInitialFolder(folder);
}

void MainWindow::SetWadDialogFolder(const std::string& folder) {
  Field(MainWindowControl::WadField)->SetInitialFolder(folder);
}

void MainWindow::SetWadText(const std::string& text) { SetWadFieldText(Text(text)); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (Running()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace quillmoor
