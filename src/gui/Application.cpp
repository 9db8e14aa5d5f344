#include "gui/Application.h"

#include <QApplication>

#include "gui/DialogFont.h"

namespace quillmoor {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Quillmoor"));
  QApplication::setFont(DialogFont());
}

}  // namespace quillmoor
