#include "app/Labels.h"

#include <QPalette>

namespace enlazora::app {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QFont& font,
                  const QColor& colour) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(font);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

}  // namespace enlazora::app
