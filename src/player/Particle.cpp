#include "player/Particle.h"

#include <climits>

#include "app/Random.h"

namespace vw {

namespace {

constexpr float kParticleGravity = 875.0f;
constexpr float kSteamLaunchSpeed = 5.0f;
constexpr float kWaterLaunchSpeed = 700.0f;
constexpr float kIceLaunchSpeed = 600.0f;
// Sideways spread of a steam puff per unit of its draw.
constexpr float kJetJitterScale = 20.0f;
constexpr float kSprayJitterScale = 50.0f;

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

std::array<Vertex, 4> Particle::getCorners() const {
  const Vec3 c = getPosition() + cornerOffset;
  const float hw = width / 2;
  const float hh = height / 2;
  return {Vertex{c + Vec3(-hw, hh, 0), Vec2(0, 0)}, Vertex{c + Vec3(hw, hh, 0), Vec2(1, 0)},
          Vertex{c + Vec3(-hw, -hh, 0), Vec2(0, 1)}, Vertex{c + Vec3(hw, -hh, 0), Vec2(1, 1)}};
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

Vec3 Particle::motion(float sinAngle, float cosAngle, float speed, float dt) {
  switch (sprayKind) {
    case Power::Steam: {
      // Steam always follows the emitter's current direction, with a fresh
      // speed and sideways jitter every update.
      float j = 0;
      if (sidewaysModulus > 0) {
        const float scale = distanceMode ? kJetJitterScale : kSprayJitterScale;
        j = (static_cast<float>(random->mod(sidewaysModulus)) - sprayWidth / 2) * scale;
      }
      const Vec3 v(speed * cosAngle - j * sinAngle, speed * sinAngle + j * cosAngle, 0);
      return v * dt;
    }
    case Power::Water:
      velocity.y -= kParticleGravity * dt;
      return velocity * dt;
    default:
      return velocity * dt;
  }
}

bool Particle::update(float sinAngle, float cosAngle, float speed, Vec3 emitterPosition, bool emitterOn, float dt) {
  age += distanceMode ? speed * dt : dt;
  if (age > life) {
    if (!emitterOn) return true;
    recycle(sinAngle, cosAngle, emitterPosition);
  }
  const Vec3 d = motion(sinAngle, cosAngle, speed, dt);
  translate(d.x, d.y, d.z);
  return false;
}

}  // namespace vw
