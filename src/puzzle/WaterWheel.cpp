#include "puzzle/WaterWheel.h"

#include <algorithm>
#include <cmath>

namespace vw {

namespace {

constexpr int kRestRow = 0;
constexpr int kTurnRow = 1;
constexpr int kTurnFrames = 23;
constexpr float kTorqueFactor = 3.0f;
constexpr float kStopSpin = 10.0f;
constexpr int kSlowestFrameDelay = 7;
constexpr int kFrozenPicture = 100000000;

}  // namespace

WaterWheel::WaterWheel(const std::string& key, float width, float height, PuzzleElement* linked,
                       float spinDownSeconds)
    : PuzzleElement(nullptr, linked), spinDownTime(spinDownSeconds) {
  type = PuzzleElementType::WaterWheel;
  init(key, width, height);
  setAnimation(kRestRow);
  friction = kPlainFriction;
  updateBounds();
  setColumns(kTurnFrames);
  setRows(2);
  setFrameCount(kTurnRow, kTurnFrames);
  setFrameCount(kRestRow, 1);
}

// The hit adds three times the particle's torque about the centre
// (counter-clockwise positive), capped at maxSpin, and starts a wheel at rest.
void WaterWheel::hit(Vec3 position, Vec3 velocity) {
  const Vec3 centre = getPosition();
  const float rx = position.x - centre.x;
  const float ry = position.y - centre.y;
  spin.z += kTorqueFactor * (rx * velocity.y - ry * velocity.x);
  if (!std::isfinite(spin.z)) spin.z = std::isnan(spin.z) ? 0.0f : std::copysign(maxSpin, spin.z);
  spinMagnitude = std::fabs(spin.z);
  if (spinMagnitude >= maxSpin) {
    spin.z = std::copysign(maxSpin, spin.z);
    spinMagnitude = maxSpin;
  }
  coasting = false;
  if (!turning) activate();
}

void WaterWheel::update(float dt) {
  if (!std::isfinite(dt) || dt < 0) dt = 0;
  if (spin.z > 0) {
    setAnimation(kTurnRow);
    frameStep = -1;
  } else if (spin.z < 0) {
    setAnimation(kTurnRow);
    frameStep = 1;
  } else {
    frameDelay = kFrozenPicture;
  }
  if (turning) {
    const int delay = static_cast<int>(kSlowestFrameDelay - kSlowestFrameDelay * spinMagnitude / maxSpin);
    frameDelay = std::max(delay, minFrameDelay);
    if (coasting) {
      // Falls by the factor 1 / maxSpin every spinDownTime seconds; with no
      // usable spin-down time the wheel stops as soon as the water does.
      const float k = spinDownTime > 0 ? std::pow(1.0f / maxSpin, dt / spinDownTime) : 0.0f;
      spin *= k;
      spinMagnitude *= k;
    }
    if (spinMagnitude <= kStopSpin) {
      spinMagnitude = 0;
      spin.z = 0;
      deactivate();
    }
  }
  coasting = true;
}

void WaterWheel::activate() {
  toggleTarget();
  turning = true;
}

void WaterWheel::deactivate() {
  toggleTarget();
  turning = false;
}

}  // namespace vw
