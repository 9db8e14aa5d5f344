#include "win32/ButtonPictures.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillmoor::win32 {

namespace {

constexpr int kSide = 16;
constexpr std::uint32_t kOutline = 0xFF463214;
constexpr std::uint32_t kBox = 0xFFD6AA5E;
constexpr std::uint32_t kArrow = 0xFF288C28;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// A picture in design pixels, ARGB.
using Canvas = std::array<std::array<std::uint32_t, kSide>, kSide>;

void Fill(Canvas& canvas, int left, int top, int right, int bottom, std::uint32_t colour) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) canvas[y][x] = colour;
  }
}

// The wad: a closed box on the lower part of the picture.
void DrawBox(Canvas& canvas) {
  Fill(canvas, 1, 7, 14, 14, kOutline);
  Fill(canvas, 2, 8, 13, 13, kBox);
  Fill(canvas, 2, 10, 13, 10, kOutline);
}

// Where an arrow over the box points: down into it or up out of it.
enum class Arrow { IntoBox, OutOfBox };

void DrawArrow(Canvas& canvas, Arrow arrow) {
  const bool down = arrow == Arrow::IntoBox;
  for (int step = 0; step < 4; ++step) {
    const int row = down ? 8 - step : step;
    Fill(canvas, 7 - step, row, 8 + step, row, kArrow);
  }
  const int shaftTop = down ? 0 : 4;
  Fill(canvas, 6, shaftTop, 9, shaftTop + 4, kArrow);
}

Canvas Draw(ButtonPicture picture) {
  Canvas canvas{};
  switch (picture) {
    case ButtonPicture::CreateWad:
      DrawBox(canvas);
      Fill(canvas, 7, 0, 8, 5, kArrow);
      Fill(canvas, 5, 2, 10, 3, kArrow);
      break;
    case ButtonPicture::UpdateWad:
      DrawBox(canvas);
      DrawArrow(canvas, Arrow::IntoBox);
      break;
    case ButtonPicture::ExtractWad:
      DrawBox(canvas);
      DrawArrow(canvas, Arrow::OutOfBox);
      break;
    case ButtonPicture::UpdateTracks:
      for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
          const int x = 3 + column * 2;
          const int y = 1 + row * 2;
          Fill(canvas, x, y, x + 1, y + 1, (row + column) % 2 == 0 ? kBlack : kWhite);
        }
      }
      Fill(canvas, 2, 1, 2, 15, kOutline);
      break;
    case ButtonPicture::None:
      break;
  }
  return canvas;
}

}  // namespace

HICON CreateButtonPicture(ButtonPicture picture, DpiScale scale) {
  const Canvas canvas = Draw(picture);
  const int side = scale(kSide);
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof(header);
  header.bV5Width = side;
  header.bV5Height = -side;  // top row first
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      pixels[y * side + x] = canvas[y * kSide / side][x * kSide / side];
    }
  }
  // The alpha channel says what is clear; the mask, all zeros, hides nothing.
  const std::vector<BYTE> noMask(static_cast<std::size_t>((side + 15) / 16 * 2 * side), 0);
  HBITMAP mask = CreateBitmap(side, side, 1, 1, noMask.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(colour);
  return result;
}

}  // namespace quillmoor::win32
