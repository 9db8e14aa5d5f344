// A push button that Enter and Return press while it has the focus, as Space does. It never
// becomes a window's default button, so it looks like any other push button.
#pragma once

#include <QPushButton>

namespace quillmoor {

class EnterKeyButton final : public QPushButton {
  Q_OBJECT

 public:
  EnterKeyButton(const QString& text, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quillmoor
