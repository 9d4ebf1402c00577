#include "player/Particle.h"

#include <climits>

namespace vw {

namespace {

// trunc(sprayWidth + 1), or 0 for a width that leaves nothing to draw from
// (a negative or NaN one); saturates for a huge width.
int sidewaysModulusOf(float sprayWidth) {
  const float m = sprayWidth + 1.0f;
  if (!(m >= 1.0f)) return 0;
  if (m >= 2147483648.0f) return INT_MAX;
  return static_cast<int>(m);
}

constexpr float kSteamLaunchSpeed = 5.0f;
constexpr float kWaterLaunchSpeed = 700.0f;
constexpr float kIceLaunchSpeed = 600.0f;

float launchSpeedOf(Power kind) {
  switch (kind) {
    case Power::Steam: return kSteamLaunchSpeed;
    case Power::Ice: return kIceLaunchSpeed;
    default: return kWaterLaunchSpeed;
  }
}

}  // namespace

float particleLife(Power kind) {
  switch (kind) {
    case Power::Steam: return kSteamLife;
    case Power::Ice: return kIceLife;
    default: return kWaterLife;
  }
}

EmitterStep makeEmitterStep(float sinAngle, float cosAngle, Vec3 position, bool on, float dt, float sprayWidth,
                            Random& random) {
  EmitterStep step;
  step.sinAngle = sinAngle;
  step.cosAngle = cosAngle;
  step.position = position;
  step.on = on;
  step.dt = dt;
  step.sprayWidth = sprayWidth;
  step.sidewaysModulus = sidewaysModulusOf(sprayWidth);
  step.sideways = FastModulus(static_cast<std::uint32_t>(step.sidewaysModulus > 0 ? step.sidewaysModulus : 1));
  step.random = &random;
  return step;
}

Particle::Particle(Power kind, float size, float life, bool distanceMode, Vec3 position, Vec3 cornerCentre,
                   Vec3 velocity)
    : position(position),
      cornerOffset(cornerCentre - position),
      velocity(velocity),
      size(size),
      life(life),
      sprayKind(kind),
      distanceMode(distanceMode) {}

void Particle::recycle(const EmitterStep& step) {
  Vec3 start = step.position;
  if (sprayKind == Power::Ice) {
    // Offsets in world axes, not turned with the aim.
    Random& random = *step.random;
    start += random.mod(2) == 0 ? Vec3(10.0f, static_cast<float>(random.mod(25)) - 12.5f, 0)
                                : Vec3(15.0f, static_cast<float>(random.mod(15)) - 7.5f, 0);
  }
  const float speed = launchSpeedOf(sprayKind);
  position = start;
  velocity = Vec3(step.cosAngle * speed, step.sinAngle * speed, 0);
  cornerOffset = Vec3(0);
  age = 0;
}

}  // namespace vw
