#include "world/MapElement.h"

namespace vw {

MapElement::MapElement() {
  friction = 0;
  frictionSurface = true;
  kind = SpriteKind::MapBlock;
}

MapElement::MapElement(const std::string& key, bool isHeavy, float w, float h)
    : Sprite(key, w, h), heavy(isHeavy), baseKey(key) {
  friction = kPlainFriction;
  frictionSurface = true;
  kind = SpriteKind::MapBlock;
}

void MapElement::setState(BlockState newState) {
  state = newState;
  switch (state) {
    case BlockState::Frozen:
      setTextureKey("ICEBLOCK");
      friction = kIceFriction;
      break;
    case BlockState::Wet:
      setTextureKey("WETBLOCK");
      friction = kWetFriction;
      break;
    default:
      state = BlockState::Normal;
      setTextureKey(baseKey);
      friction = kPlainFriction;
      break;
  }
  wetCounter -= 1;
  if (wetCounter < kWetCounterFloor) wetCounter = kWetCounterFloor;
}

void MapElement::update() {
  if (state != BlockState::Wet) return;
  wetCounter += 1;
  if (static_cast<float>(wetCounter) >= dryTime) {
    setState(BlockState::Normal);
    wetCounter = 0;
  }
}

}  // namespace vw
