#pragma once

#include <QFont>

namespace quillmoor {

// The windows' font: the 8-point "MS Sans Serif" of a dialog at 96 dots per inch, 11 pixels
// high, so every text fits the control it was measured for. Where the system has no font of
// that name, Wine's (from the fonts-wine package) is taken into the application.
QFont DialogFont();

}  // namespace quillmoor
