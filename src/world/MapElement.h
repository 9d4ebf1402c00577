#pragma once
// MapElement: a static, solid block of the world (ground, walls, ledges, ice
// blocks, heavy boxes, bridges), and the base of every puzzle element. Sprays
// change its surface: water wets a plain block for a while, ice freezes it,
// steam thaws it; each state has its own texture and friction.
#include <memory>
#include <string>
#include <vector>

#include "render/Sprite.h"

namespace vw {

enum class BlockState { Normal = 0, Frozen = 1, Wet = 2 };

constexpr float kPlainFriction = 0.0006f;
constexpr float kIceFriction = 0.00004f;
constexpr float kWetFriction = 0.0004f;
constexpr int kWetCounterFloor = -140;

class MapElement : public Sprite {
 public:
  // The base of puzzle elements: no key, no size, not heavy.
  MapElement();
  MapElement(const std::string& key, bool heavy, float width, float height);

  // An exact copy, for a game snapshot.
  virtual std::unique_ptr<MapElement> clone() const { return std::make_unique<MapElement>(*this); }

  float getFriction() const override { return friction; }
  // Sets the surface state with its texture and friction; every change
  // lowers wetCounter by one, never below -140.
  void setState(BlockState newState);
  BlockState getState() const { return state; }
  bool isHeavy() const { return heavy; }
  // The drying step, once per playing update: a wet block dries after dryTime steps.
  void update();

  int getWetCounter() const { return wetCounter; }

 protected:
  bool heavy = false;
  BlockState state = BlockState::Normal;
  float dryTime = 180;
  std::string baseKey;
  int wetCounter = 0;
};

using MapList = std::vector<std::unique_ptr<MapElement>>;

}  // namespace vw
