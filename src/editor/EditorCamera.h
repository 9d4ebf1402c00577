#pragma once
// The editor's pan and zoom camera: which part of the puzzle the 1000 x 800
// view shows, and where that view stands in the window.
#include "render/Matrix.h"

namespace vw {

class EditorCamera {
 public:
  Vec2 centre{600, 300};  // puzzle coordinates at the middle of the view
  float zoom = 1;         // view pixels per puzzle unit

  // Where the 1000 x 800 view lands in the window: its top-left corner and scale.
  void placeView(Vec2 topLeft, float scale) {
    viewTopLeft_ = topLeft;
    viewScale_ = scale;
  }
  // Puzzle coordinates (y up) to window pixels (y down), and back.
  Vec2 toWindow(Vec2 p) const;
  Vec2 fromWindow(Vec2 w) const;
  // Puzzle units per window pixel.
  float unitsPerPixel() const { return 1 / (zoom * viewScale_); }
  // Moves the view by a drag of the given window pixels.
  void pan(Vec2 windowDelta);
  // Zooms by factor keeping the puzzle point under the window pixel in place.
  void zoomAt(Vec2 window, float factor);
  // The render pass's view-projection for the world, whose x = puzzle x + offset.
  Matrix viewProj(float worldOffset) const;

  static constexpr float kMinZoom = 0.05f;
  static constexpr float kMaxZoom = 8;

 private:
  Vec2 viewTopLeft_{0, 0};
  float viewScale_ = 1;
};

}  // namespace vw
