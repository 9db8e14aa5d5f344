#include "win32/DpiScale.h"

namespace quillmoor::win32 {

DpiScale DpiScale::OfScreen() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return DpiScale(dpi);
}

}  // namespace quillmoor::win32
