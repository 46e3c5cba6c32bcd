#pragma once
// The fonts of the program's windows, with close substitutes where the
// original faces are not installed.
#include <QFont>

namespace enlazora::app {

// Arial, bold, characters of the given pixel height.
QFont ArialBold(int pixelHeight);
// The windows' own face: MS Sans Serif with 11-pixel characters.
QFont WindowFont(bool bold = false);

}  // namespace enlazora::app
