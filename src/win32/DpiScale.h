// Every position and size of the windows is designed in pixels at 96 dots per inch. On a
// screen set to another density each of them, and the font, is scaled by the same factor.
#pragma once

#include <windows.h>

#include "frontend/DesignRect.h"

namespace quillmoor::win32 {

class DpiScale {
 public:
  explicit DpiScale(int dpi) : dpi_(dpi) {}
  // The scale of the screen Quillmoor runs on.
  static DpiScale OfScreen();

  int operator()(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }
  // The rectangle on the screen, as Win32 gives one: left, top, right and bottom.
  RECT operator()(const DesignRect& design) const {
    return {(*this)(design.left), (*this)(design.top), (*this)(design.Right()),
            (*this)(design.Bottom())};
  }

 private:
  int dpi_;
};

}  // namespace quillmoor::win32
