#include "player/Particle.h"

#include <climits>

namespace vw {

namespace {

constexpr float kSteamLaunchSpeed = 5.0f;
constexpr float kWaterLaunchSpeed = 700.0f;
constexpr float kIceLaunchSpeed = 600.0f;
float lifeOf(Power kind) {
  switch (kind) {
    case Power::Steam: return kSteamLife;
    case Power::Ice: return kIceLife;
    default: return kWaterLife;
  }
}

float launchSpeedOf(Power kind) {
  switch (kind) {
    case Power::Steam: return kSteamLaunchSpeed;
    case Power::Ice: return kIceLaunchSpeed;
    default: return kWaterLaunchSpeed;
  }
}

// trunc(sprayWidth + 1) as the steam draw's modulus; 0 (no sideways jitter)
// for a width that leaves nothing to draw from, such as a negative one.
int sidewaysModulusOf(float sprayWidth) {
  float m = sprayWidth + 1.0f;
  if (!(m >= 1.0f)) return 0;
  if (m >= 2147483648.0f) return INT_MAX;
  return static_cast<int>(m);
}

}  // namespace

Particle::Particle(const std::string& key, float sprayWidth, float sprayLength, Vec3 position, float w, float h,
                   Power kind, bool distanceMode, Random& random)
    : Sprite(key, w, h),
      random(&random),
      sprayWidth(sprayWidth),
      sprayLength(sprayLength),
      sidewaysModulus(sidewaysModulusOf(sprayWidth)),
      sideways(static_cast<std::uint32_t>(sidewaysModulus > 0 ? sidewaysModulus : 1)),
      sprayKind(kind),
      distanceMode(distanceMode) {
  life = distanceMode ? static_cast<float>(random.mod(100)) + sprayLength - 60.0f : lifeOf(kind);
  // The sprite stays at the origin until its emitter places it; the quad is drawn around position.
  cornerOffset = position;
}

void Particle::placeSprite(Vec3 position) {
  // The corners stay where they are.
  cornerOffset += getPosition() - position;
  world[3][0] = position.x;
  world[3][1] = position.y;
  world[3][2] = position.z;
}

void Particle::recycle(float sinAngle, float cosAngle, Vec3 emitterPosition) {
  Vec3 start = emitterPosition;
  if (sprayKind == Power::Ice) {
    // Offsets in world axes, not turned with the aim.
    start += random->mod(2) == 0 ? Vec3(10.0f, static_cast<float>(random->mod(25)) - 12.5f, 0)
                                 : Vec3(15.0f, static_cast<float>(random->mod(15)) - 7.5f, 0);
  }
  const float speed = launchSpeedOf(sprayKind);
  placeSprite(start);
  velocity = Vec3(cosAngle * speed, sinAngle * speed, 0);
  cornerOffset = Vec3(0);
  age = 0;
}

}  // namespace vw
