#include "gui/FileNameEdit.h"

#include <QDir>
#include <utility>

namespace quillmoor {

FileNameEdit::FileNameEdit(Dialogs& dialogs, OpenDialogSettings settings, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      settings_(std::move(settings)),
      edit_(new QLineEdit(this)),
      button_(new QToolButton(this)) {
  button_->setText(QStringLiteral("..."));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setCursor(Qt::ArrowCursor);
  setFocusProxy(edit_);
  connect(button_, &QToolButton::clicked, this, &FileNameEdit::Browse);
}

void FileNameEdit::Browse() {
  const QStringList files = dialogs_.OpenFiles(this, settings_);
  if (!files.isEmpty()) edit_->setText(QDir::toNativeSeparators(files.constFirst()));
  emit Browsed();
}

void FileNameEdit::resizeEvent(QResizeEvent* /*event*/) {
  const int buttonWidth = height();
  edit_->setGeometry(0, 0, width(), height());
  edit_->setTextMargins(0, 0, buttonWidth - 2, 0);
  button_->setGeometry(width() - buttonWidth - 1, 1, buttonWidth, height() - 2);
}

}  // namespace quillmoor
