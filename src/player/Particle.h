#pragma once
// Particle: one drop of water, puff of steam or shard of ice in a spray.
// Owned by an emitter, which runs its update once per update; the collision
// pass marks the ones that hit something as spent.
#include <array>

#include "player/Power.h"
#include "render/RenderContext.h"
#include "render/Sprite.h"

namespace vw {

class Random;

constexpr float kSteamLife = 0.38f;
constexpr float kWaterLife = 4.0f;
constexpr float kIceLife = 0.6f;

class Particle final : public Sprite {
 public:
  Particle(const std::string& key, float sprayWidth, float sprayLength, Vec3 position, float width, float height,
           Power kind, bool distanceMode, Random& random);

  // Ages, recycles or expires, and moves the particle; true means remove it.
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
  std::array<Vertex, 4> getCorners() const;
  float getAge() const { return age; }
  float getLife() const { return life; }

  bool spent = false;

 private:
  void recycle(float sinAngle, float cosAngle, Vec3 emitterPosition);
  Vec3 motion(float sinAngle, float cosAngle, float speed, float dt);

  Random* random;
  float sprayWidth = 0;
  float sprayLength = 0;
  // The modulus of the sideways steam draw, trunc(sprayWidth + 1); 0 gives no jitter.
  int sidewaysModulus = 0;
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

}  // namespace vw
