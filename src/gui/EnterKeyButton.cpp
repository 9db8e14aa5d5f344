#include "gui/EnterKeyButton.h"

#include <QKeyEvent>

namespace quillmoor {

EnterKeyButton::EnterKeyButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void EnterKeyButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // A held key presses once: its repeats must not start the same operation again.
    if (!event->isAutoRepeat()) click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace quillmoor
