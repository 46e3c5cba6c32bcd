#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>

namespace enlazora::app {

QIcon CheckMarkGlyph() {
  QIcon icon;
  for (const int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.0, 12.5);
    tick.lineTo(13.5, 3.5);
    painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace enlazora::app
