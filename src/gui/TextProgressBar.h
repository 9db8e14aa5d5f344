// The progress bar that doubles as the status line: a lowered frame, a light blue ground, a
// darker fill growing from the left, and a text centred inside.
#pragma once

#include <QFrame>
#include <QString>

namespace quillmoor {

class TextProgressBar final : public QFrame {
  Q_OBJECT

 public:
  explicit TextProgressBar(QWidget* parent);

  int Position() const { return position_; }
  QString Text() const { return text_; }

  // A percentage; above 100 shows as 100, below 0 as 0.
  void SetPosition(int position);
  void SetText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int position_ = 0;
  QString text_;
};

}  // namespace quillmoor
