#include "gui/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace quillmoor {

namespace {

const QColor kOutline(70, 50, 20);
const QColor kBox(214, 170, 94);
const QColor kArrow(40, 140, 40);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  painter.end();
  return QIcon(picture);
}

// The wad: a closed box on the lower part of the picture.
void DrawBox(QPainter& painter) {
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(kBox);
  painter.drawRect(QRectF(1.5, 7.5, 13, 7));
  painter.drawLine(QPointF(1.5, 10.5), QPointF(14.5, 10.5));
}

// Where an arrow over the box points: down into it or up out of it.
enum class Arrow { IntoBox, OutOfBox };

void DrawArrow(QPainter& painter, Arrow direction) {
  const bool down = direction == Arrow::IntoBox;
  QPainterPath arrow;
  const qreal tip = down ? 9 : 0.5;
  const qreal base = down ? 0.5 : 9;
  const qreal head = down ? 5 : 4.5;
  arrow.moveTo(6, base);
  arrow.lineTo(10, base);
  arrow.lineTo(10, head);
  arrow.lineTo(12.5, head);
  arrow.lineTo(8, tip);
  arrow.lineTo(3.5, head);
  arrow.lineTo(6, head);
  arrow.closeSubpath();
  painter.setPen(QPen(kArrow.darker(150), 1));
  painter.setBrush(kArrow);
  painter.drawPath(arrow);
}

QIcon CreateWadPicture() {
  return Drawn([](QPainter& painter) {
    DrawBox(painter);
    painter.setPen(QPen(kArrow, 2));
    painter.drawLine(QPointF(8, 0.5), QPointF(8, 6));
    painter.drawLine(QPointF(5, 3.25), QPointF(11, 3.25));
  });
}

QIcon UpdateWadPicture() {
  return Drawn([](QPainter& painter) {
    DrawBox(painter);
    DrawArrow(painter, Arrow::IntoBox);
  });
}

QIcon ExtractWadPicture() {
  return Drawn([](QPainter& painter) {
    DrawBox(painter);
    DrawArrow(painter, Arrow::OutOfBox);
  });
}

QIcon UpdateTracksPicture() {
  return Drawn([](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 5; ++column) {
        painter.setBrush((row + column) % 2 == 0 ? Qt::black : Qt::white);
        painter.drawRect(3 + column * 2, 1 + row * 2, 2, 2);
      }
    }
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(3, 1, 10, 8);
    painter.drawLine(2, 1, 2, 15);
  });
}

}  // namespace

QIcon ButtonPictureIcon(ButtonPicture picture) {
  switch (picture) {
    case ButtonPicture::CreateWad:
      return CreateWadPicture();
    case ButtonPicture::UpdateWad:
      return UpdateWadPicture();
    case ButtonPicture::ExtractWad:
      return ExtractWadPicture();
    case ButtonPicture::UpdateTracks:
      return UpdateTracksPicture();
    case ButtonPicture::None:
      break;
  }
  return {};
}

}  // namespace quillmoor
