#include "gui/TextProgressBar.h"

#include <QPainter>
#include <algorithm>

namespace quillmoor {

namespace {

const QColor kGround(166, 202, 240);
const QColor kFill(105, 174, 231);

}  // namespace

TextProgressBar::TextProgressBar(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void TextProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, 100);
  update();
}

void TextProgressBar::SetText(const QString& text) {
  text_ = text;
  update();
}

void TextProgressBar::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, kGround);
    QRect filled = inside;
    filled.setWidth(inside.width() * position_ / 100);
    painter.fillRect(filled, kFill);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(inside, Qt::AlignCenter, text_);
  }
  QFrame::paintEvent(event);
}

}  // namespace quillmoor
