#pragma once
// The 1000 x 800 back buffer shown in a window of any size: scaled to fit,
// proportions kept, bars on the sides or above and below.
#include "render/Matrix.h"

namespace vw {

struct PixelSize {
  int width = 0;
  int height = 0;
};

// A rectangle in window pixels, origin top-left, y down.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Where the back buffer lands in a window of the given size: the largest
// 5:4 rectangle that fits, centred. Empty for an empty window.
PixelRect letterboxRect(PixelSize window);
// A window pixel (y down) as a back-buffer pixel (y down); points on the bars
// map outside 0..1000 x 0..800. The centre of an empty window maps to the
// back buffer's centre.
Vec2 windowToBackBuffer(Vec2 windowPoint, PixelSize window);

}  // namespace vw
