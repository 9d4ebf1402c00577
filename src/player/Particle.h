#pragma once
// Particle: one drop of water, puff of steam or shard of ice in a spray.
// Owned by an emitter, which runs its update once per update; the collision
// pass marks the ones that hit something as spent.
//
// A particle is a small value rather than a Sprite: a steam jet holds up to
// ten thousand of them and walks them all every update, so they are kept
// contiguous in their emitter. It still answers the sprite questions the
// collision and render passes ask: position, size, bounds and drawn corners.
#include <array>
#include <cstdint>

#include "app/Random.h"
#include "physics/Geometry.h"
#include "player/FastModulus.h"
#include "player/Power.h"
#include "render/RenderContext.h"

namespace vw {

constexpr float kSteamLife = 0.38f;
constexpr float kWaterLife = 4.0f;
constexpr float kIceLife = 0.6f;

// The lifetime in seconds of a particle of a kind (when it does not count distance).
float particleLife(Power kind);

// What a particle's update takes from its emitter: the emitter's direction,
// place and state in this update, and the draws of steam's sideways jitter.
struct EmitterStep {
  float sinAngle = 0;
  float cosAngle = 1;
  Vec3 position{0};
  bool on = true;
  float dt = 0;
  // Steam's sideways draw is rand() mod sidewaysModulus - sprayWidth / 2,
  // with the modulus trunc(sprayWidth + 1); a modulus of 0 gives no jitter.
  float sprayWidth = 0;
  int sidewaysModulus = 0;
  FastModulus sideways;
  Random* random = nullptr;
};

// The step of an emitter aimed along (cosAngle, sinAngle), standing at
// position, with its spray width and the game's generator.
EmitterStep makeEmitterStep(float sinAngle, float cosAngle, Vec3 position, bool on, float dt, float sprayWidth,
                            Random& random);

class Particle {
 public:
  // A particle whose sprite sits at position and whose drawn quad is centred
  // at cornerCentre (an offset shard is drawn beside its sprite until recycled).
  Particle(Power kind, float size, float life, bool distanceMode, Vec3 position, Vec3 cornerCentre, Vec3 velocity);

  // Ages, recycles or expires, and moves the particle; true means remove it.
  // Inline: emitters run it for every particle every update.
  bool update(const EmitterStep& step, float speed);
  // Moves the particle, and its drawn corners with it, by (dx, dy, dz).
  void translate(float dx, float dy, float dz) { position += Vec3(dx, dy, dz); }
  // The bounds of the sprite, from its position and size as every sprite's.
  // Computed when asked: only the player's spray is ever tested, a jet's
  // thousands of puffs never.
  Bounds getBounds() const {
    Bounds b;
    b.left = position.x - size / 2;
    b.right = b.left + size;
    b.top = position.y + size / 2;
    b.bottom = b.top - size;
    return b;
  }
  Vec3 getPosition() const { return position; }
  float getWidth() const { return size; }
  float getHeight() const { return size; }

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
    const float x = position.x + cornerOffset.x;
    const float y = position.y + cornerOffset.y;
    const float z = position.z + cornerOffset.z;
    const float h = size / 2;
    out[0] = Vertex{Vec3(x - h, y + h, z), Vec2(0, 0)};
    out[1] = Vertex{Vec3(x + h, y + h, z), Vec2(1, 0)};
    out[2] = Vertex{Vec3(x - h, y - h, z), Vec2(0, 1)};
    out[3] = Vertex{Vec3(x + h, y - h, z), Vec2(1, 1)};
  }
  float getAge() const { return age; }
  float getLife() const { return life; }

  bool spent = false;

 private:
  static constexpr float kGravity = 875.0f;
  // Sideways spread of a steam puff per unit of its draw.
  static constexpr float kJetJitterScale = 20.0f;
  static constexpr float kSprayJitterScale = 50.0f;

  void recycle(const EmitterStep& step);
  Vec3 motion(const EmitterStep& step, float speed);

  Vec3 position{0};
  // Where the drawn quad is centred relative to the sprite. The corners move
  // with the sprite, so they are kept as this one offset (0 once a particle
  // has been recycled).
  Vec3 cornerOffset{0};
  Vec3 velocity{0};
  float size = 0;
  float age = 0;
  float life = 0;
  Power sprayKind = Power::Water;
  bool distanceMode = false;
};

inline Vec3 Particle::motion(const EmitterStep& step, float speed) {
  switch (sprayKind) {
    case Power::Steam: {
      // Steam always follows the emitter's current direction, with a fresh
      // speed and sideways jitter every update.
      float j = 0;
      if (step.sidewaysModulus > 0) {
        const float scale = distanceMode ? kJetJitterScale : kSprayJitterScale;
        // rand() mod sidewaysModulus, without the division.
        const auto draw = static_cast<float>(step.sideways.of(static_cast<std::uint32_t>(step.random->rand())));
        j = (draw - step.sprayWidth / 2) * scale;
      }
      const Vec3 v(speed * step.cosAngle - j * step.sinAngle, speed * step.sinAngle + j * step.cosAngle, 0);
      return v * step.dt;
    }
    case Power::Water:
      velocity.y -= kGravity * step.dt;
      return velocity * step.dt;
    default:
      return velocity * step.dt;
  }
}

inline bool Particle::update(const EmitterStep& step, float speed) {
  age += distanceMode ? speed * step.dt : step.dt;
  if (age > life) {
    if (!step.on) return true;
    recycle(step);
  }
  const Vec3 d = motion(step, speed);
  translate(d.x, d.y, d.z);
  return false;
}

}  // namespace vw
