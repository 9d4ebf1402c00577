#pragma once
// Axis-aligned rectangles in world units (y up) and the three tests every
// collision and click in the game is built from. All in 32-bit floats.
#include "render/Matrix.h"

namespace vw {

struct Bounds {
  float left = 0;
  float right = 0;
  float top = 0;
  float bottom = 0;
};

// Which face of an obstacle a moving body met.
enum class CollisionType { Top = 0, Side = 1, Bottom = 2 };

// Signed penetration depths of a mover into an obstacle, as the side test and
// the push-outs of the player and the boxes compute them.
struct Penetration {
  float dx = 0;
  float dy = 0;
};

// True when the rectangles overlap; shared edges and corners count.
// Inline: the spray pass tests every particle against every block near the camera.
inline bool rectsOverlap(Bounds a, Bounds b) {
  return b.left <= a.right && b.right >= a.left && b.top >= a.bottom && b.bottom <= a.top;
}
// True when p lies in r; points on an edge are inside.
bool pointInRect(Vec3 p, Bounds r);
Penetration penetration(Bounds mover, Bounds obstacle);
// The face of the obstacle the mover struck; ties go to Side, and to Bottom
// when the tops are level.
CollisionType collisionSide(Bounds mover, Bounds obstacle);

}  // namespace vw
