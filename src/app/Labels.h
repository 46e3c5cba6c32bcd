#pragma once
// The windows' labels: transparent, word-wrapped, fixed in place, in one font
// and colour.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

namespace enlazora::app {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QFont& font,
                  const QColor& colour);

}  // namespace enlazora::app
