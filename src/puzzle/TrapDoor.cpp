#include "puzzle/TrapDoor.h"

#include <cmath>

namespace vw {

namespace {

constexpr int kClosedRow = 0;
constexpr int kSwingRow = 1;
constexpr int kOpenRow = 2;
constexpr int kSwingDelay = 2;

}  // namespace

TrapDoor::TrapDoor(const std::string& key, float size, float thickness, float facingSign)
    : PuzzleElement(nullptr, nullptr), thicknessDivisor(size / thickness) {
  init(key, size, size);
  type = PuzzleElementType::TrapDoor;
  friction = kPlainFriction;
  active = false;
  setAnimation(kClosedRow);
  facing = facingSign > 0 ? 1.0f : (facingSign < 0 ? -1.0f : 0.0f);
  loop = false;
  frameDelay = kSwingDelay;
}

void TrapDoor::activate() {
  if (active) return;
  active = true;
  frameStep = 1;
  setAnimation(kSwingRow);
}

void TrapDoor::deactivate() {
  if (!active) return;
  active = false;
  frameStep = -1;
  setAnimation(kSwingRow);
}

// The frames advance while drawing; this only notices that the swing has
// reached its open or closed end.
void TrapDoor::update(float dt) {
  (void)dt;
  if (getAnimation() != kSwingRow) return;
  const int lastFrames = static_cast<int>(getFrameCount(kSwingRow)) - 2;
  if (getFrame() >= lastFrames && frameStep > 0) {
    setAnimation(kOpenRow);
    updateBounds();
  } else if (getFrame() <= 1 && frameStep < 0) {
    setAnimation(kClosedRow);
    updateBounds();
  }
}

float TrapDoor::getThickness() const {
  const float t = height / thicknessDivisor;
  // Thickness 0 gives a slab of thickness 0, a thickness above the size a
  // slab reaching below the picture; only a lid of size 0 (0 / 0) has no
  // thickness to give, and collides as a slab of thickness 0.
  return std::isfinite(t) ? t : 0.0f;
}

// Closed, the lid is a slab of its thickness along the top of the picture.
// Open, it hangs down along its hinge side as a slab of the same thickness,
// the full height of the picture, so bodies fall through the opening. The
// picture has the hinge on the left when facing +1 (and for facing 0), on
// the right when mirrored. While swinging the lid keeps the box of the state
// it is leaving.
Bounds TrapDoor::updateBounds() {
  const int row = getAnimation();
  if (row == kSwingRow) return bounds;
  const Vec3 p = getPosition();
  const float t = getThickness();
  if (row == kOpenRow) {
    bounds.top = p.y + height / 2;
    bounds.bottom = bounds.top - height;
    if (facing < 0) {
      bounds.right = p.x + width / 2;
      bounds.left = bounds.right - t;
    } else {
      bounds.left = p.x - width / 2;
      bounds.right = bounds.left + t;
    }
    return bounds;
  }
  bounds.left = p.x - width / 2;
  bounds.right = bounds.left + width;
  bounds.top = p.y + height / 2;
  bounds.bottom = bounds.top - t;
  return bounds;
}

// Moves the lid; a swinging lid carries its kept box along with it.
void TrapDoor::translate(float dx, float dy, float dz) {
  Sprite::translate(dx, dy, dz);
  bounds.left += dx;
  bounds.right += dx;
  bounds.top += dy;
  bounds.bottom += dy;
  updateBounds();
}

}  // namespace vw
