#pragma once

#include <QWidget>

namespace quillmoor {

// Shows window without blocking, or brings it to the front when it is already shown.
inline void ShowInFront(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace quillmoor
