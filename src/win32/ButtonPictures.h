// The pictures beside the captions of the four operation buttons, 16 x 16 design pixels each:
// a wad box with a plus, with an arrow into it, with an arrow out of it, and a chequered flag.
#pragma once

#include <windows.h>

#include "frontend/MainWindowLayout.h"
#include "win32/DpiScale.h"

namespace quillmoor::win32 {

// A new icon of the picture at the screen's scale, clear for ButtonPicture::None; the
// caller destroys it.
HICON CreateButtonPicture(ButtonPicture picture, DpiScale scale);

}  // namespace quillmoor::win32
