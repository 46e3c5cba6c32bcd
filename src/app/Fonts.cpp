#include "app/Fonts.h"

#include <QStringList>

namespace enlazora::app {

QFont ArialBold(int pixelHeight) {
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                    QStringLiteral("Helvetica")});
  font.setPixelSize(pixelHeight);
  font.setBold(true);
  return font;
}

QFont WindowFont(bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

}  // namespace enlazora::app
