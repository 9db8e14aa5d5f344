#include "gui/Dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "operations/Version.h"

namespace quillmoor {

namespace {

QString Caption() { return QString::fromLatin1(kProgramTitle); }

QString QtPatterns(const QString& patterns) {
  QStringList qtPatterns;
  for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
    qtPatterns << (pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed());
  }
  return qtPatterns.join(' ');
}

void ApplyFilter(QFileDialog& dialog, const QString& filter) {
  const QStringList filters = QtNameFilters(filter);
  if (filters.isEmpty()) return;
  dialog.setNameFilters(filters);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
}

// Shows a box centred on the screen, whatever window it belongs to; gives the button pressed.
int ShowCentred(QMessageBox& box) {
  box.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    box.move(frame.topLeft());
  }
  return box.exec();
}

}  // namespace

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + QtPatterns(parts[i + 1]) + ")";
  }
  return filters;
}

QStringList QtDialogs::OpenFiles(QWidget* parent, const OpenDialogSettings& settings) {
  QFileDialog dialog(parent, QString::fromStdString(settings.title),
                     QString::fromStdString(settings.initialFolder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(settings.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
  ApplyFilter(dialog, QString::fromStdString(settings.filter));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const QString& title,
                                           const QString& fileName, const QString& filter) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(fileName);
  ApplyFilter(dialog, filter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtDialogs::Message(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, Caption(), text, QMessageBox::Ok, parent);
  ShowCentred(box);
}

bool QtDialogs::Question(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, Caption(), text, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::No);
  return ShowCentred(box) == QMessageBox::Yes;
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, Caption(), text, QMessageBox::Ok, parent);
  ShowCentred(box);
}

}  // namespace quillmoor
