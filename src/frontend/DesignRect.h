// Places and sizes as the windows are designed: in pixels at 96 dots per inch. Each toolkit
// turns them into its own rectangles, scaled to its screen where it needs to.
#pragma once

namespace quillmoor {

struct DesignSize {
  int width;
  int height;
};

struct DesignRect {
  int left;
  int top;
  int width;
  int height;

  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
};

}  // namespace quillmoor
