#pragma once
// The glyphs of the bitmap buttons.
#include <QIcon>

namespace enlazora::app {

// The green check mark of the OK buttons.
QIcon CheckMarkGlyph();

}  // namespace enlazora::app
