#pragma once
// Steamjet: a vent that, while on, blows a column of steam upward and lifts
// the player standing in it. Its bounds are the steam column; what is drawn
// is its vent picture ("VENT": row 0 shut, row 1 open), and its steam.
#include <memory>

#include "player/ParticleEmitter.h"
#include "puzzle/PuzzleElement.h"

namespace vw {

class Random;

inline constexpr const char* kVentKey = "VENT";

class Steamjet : public PuzzleElement {
 public:
  Steamjet(const std::string& key, float width, float height, float areaWidth, float areaHeight, Vec3 liftWhenOn,
           Random& random);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<Steamjet>(*this); }

  // Moves the jet; its steam leaves from the jet's new centre.
  void translate(float dx, float dy, float dz) override;
  // Draws the vent, open while the jet is on, shut while it is off.
  void draw(RenderContext& context, const TextureRegistry& textures) override;
  // The steam column: areaWidth wide, areaHeight high above the jet's centre.
  Bounds updateBounds() override;
  void activate() override;
  void deactivate() override;
  // The steam's update; it spawns at most `room` new puffs.
  void updateEmitter(float dt, bool distanceMode, std::size_t room = kUnlimitedRoom);
  Vec3 getLift() const { return lift; }
  ParticleEmitter& getEmitter() { return emitter; }
  const ParticleEmitter& getEmitter() const { return emitter; }
  float getAreaWidth() const { return areaWidth; }
  float getAreaHeight() const { return areaHeight; }

 private:
  ParticleEmitter emitter;
  Sprite vent;
  float areaWidth = 0;
  float areaHeight = 0;
  Vec3 lift{0};
  Vec3 liftWhenOn{0};
};

}  // namespace vw
