#pragma once
// Particle: one drop of water, puff of steam or shard of ice in a spray.
// Owned by an emitter, which runs its update once per update; the collision
// pass marks the ones that hit something as spent.
#include <array>

#include "app/Random.h"
#include "player/FastModulus.h"
#include "player/Power.h"
#include "render/RenderContext.h"
#include "render/Sprite.h"

namespace vw {

constexpr float kSteamLife = 0.38f;
constexpr float kWaterLife = 4.0f;
constexpr float kIceLife = 0.6f;

class Particle final : public Sprite {
 public:
  Particle(const std::string& key, float sprayWidth, float sprayLength, Vec3 position, float width, float height,
           Power kind, bool distanceMode, Random& random);

  // Ages, recycles or expires, and moves the particle; true means remove it.
  // Inline: emitters run it for every particle every update.
  bool update(float sinAngle, float cosAngle, float speed, Vec3 emitterPosition, bool emitterOn, float dt);
  // Moves the sprite, and its drawn corners with it, by (dx, dy, dz). A
  // particle's matrix is a scale and a translation, so only the translation row changes.
  void translate(float dx, float dy, float dz) override {
    world[3][0] += dx;
    world[3][1] += dy;
    world[3][2] += dz;
  }
  // Puts the sprite (and so its bounds) at position; the corners stay where they are.
  void placeSprite(Vec3 position);
  // The sprite's bounds, computed as every sprite does, without the call into Sprite.
  Bounds updateBounds() override {
    bounds.left = world[3][0] - width / 2;
    bounds.right = bounds.left + width;
    bounds.top = world[3][1] + height / 2;
    bounds.bottom = bounds.top - height;
    return bounds;
  }

  Power getSprayKind() const { return sprayKind; }
  Vec3 getVelocity() const { return velocity; }
  void setVelocity(float x, float y, float z) { velocity = Vec3(x, y, z); }
  // The horizontal shove this particle gives a moving box.
  float getPush() const { return velocity.x / 60.0f; }
  // The drawn quad: top-left, top-right, bottom-left, bottom-right, with
  // texture coordinates (0, 0), (1, 0), (0, 1), (1, 1).
  std::array<Vertex, 4> getCorners() const {
    std::array<Vertex, 4> corners;
    writeCorners(corners.data());
    return corners;
  }
  // Writes the same four corners straight into out[0..3] (the render pass's batch).
  void writeCorners(Vertex* out) const {
    const float x = world[3][0] + cornerOffset.x;
    const float y = world[3][1] + cornerOffset.y;
    const float z = world[3][2] + cornerOffset.z;
    const float hw = width / 2;
    const float hh = height / 2;
    out[0] = Vertex{Vec3(x + -hw, y + hh, z + 0.0f), Vec2(0, 0)};
    out[1] = Vertex{Vec3(x + hw, y + hh, z + 0.0f), Vec2(1, 0)};
    out[2] = Vertex{Vec3(x + -hw, y + -hh, z + 0.0f), Vec2(0, 1)};
    out[3] = Vertex{Vec3(x + hw, y + -hh, z + 0.0f), Vec2(1, 1)};
  }
  float getAge() const { return age; }
  float getLife() const { return life; }

  bool spent = false;

 private:
  static constexpr float kGravity = 875.0f;
  // Sideways spread of a steam puff per unit of its draw.
  static constexpr float kJetJitterScale = 20.0f;
  static constexpr float kSprayJitterScale = 50.0f;

  void recycle(float sinAngle, float cosAngle, Vec3 emitterPosition);
  Vec3 motion(float sinAngle, float cosAngle, float speed, float dt);

  Random* random;
  float sprayWidth = 0;
  float sprayLength = 0;
  // The modulus of the sideways steam draw, trunc(sprayWidth + 1); 0 gives no jitter.
  int sidewaysModulus = 0;
  FastModulus sideways;
  Power sprayKind = Power::Water;
  float age = 0;
  float life = 0;
  bool distanceMode = false;
  Vec3 velocity{0};
  // Where the drawn quad is centred relative to the sprite. The corners move
  // with the sprite, so they are kept as this one offset (0 once a particle
  // has been recycled; an offset shard's picture sits beside its sprite until then).
  Vec3 cornerOffset{0};
};

inline Vec3 Particle::motion(float sinAngle, float cosAngle, float speed, float dt) {
  switch (sprayKind) {
    case Power::Steam: {
      // Steam always follows the emitter's current direction, with a fresh
      // speed and sideways jitter every update.
      float j = 0;
      if (sidewaysModulus > 0) {
        const float scale = distanceMode ? kJetJitterScale : kSprayJitterScale;
        // random->mod(sidewaysModulus), without the division.
        const auto draw = static_cast<float>(sideways.of(static_cast<std::uint32_t>(random->rand())));
        j = (draw - sprayWidth / 2) * scale;
      }
      const Vec3 v(speed * cosAngle - j * sinAngle, speed * sinAngle + j * cosAngle, 0);
      return v * dt;
    }
    case Power::Water:
      velocity.y -= kGravity * dt;
      return velocity * dt;
    default:
      return velocity * dt;
  }
}

inline bool Particle::update(float sinAngle, float cosAngle, float speed, Vec3 emitterPosition, bool emitterOn,
                             float dt) {
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
