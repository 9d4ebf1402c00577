#include "puzzle/Steamjet.h"

namespace vw {

namespace {

// The jet's steam points straight up (11/7 radians).
constexpr float kUpward = 1.5714285f;

}  // namespace

Steamjet::Steamjet(const std::string& key, float width, float height, float columnWidth, float columnHeight,
                   Vec3 liftOn, Random& random)
    : PuzzleElement(nullptr, nullptr),
      emitter(columnWidth, columnHeight, kUpward, Vec3(0), Power::Steam, random),
      vent(kVentKey, width, height),
      areaWidth(columnWidth),
      areaHeight(columnHeight) {
  type = PuzzleElementType::Steamjet;
  init(key, width, height);
  vent.setRows(2);
  const Vec3 centre = getPosition();
  emitter.setSpawnPoint(centre.x, centre.y, centre.z);
  lift = liftOn;
  liftWhenOn = liftOn;
}

// The steam leaves from the jet's centre, wherever the jet is moved to.
void Steamjet::translate(float dx, float dy, float dz) {
  Sprite::translate(dx, dy, dz);
  Vec3 p = getPosition();
  vent.setPosition(p.x, p.y);
  emitter.setSpawnPoint(p.x, p.y, p.z);
  updateBounds();
}

void Steamjet::draw(RenderContext& context, const TextureRegistry& textures) {
  vent.setAnimation(active ? 1 : 0);
  vent.draw(context, textures);
}

Bounds Steamjet::updateBounds() {
  Vec3 p = getPosition();
  bounds.left = p.x - areaWidth / 2;
  bounds.right = bounds.left + areaWidth;
  bounds.top = p.y + areaHeight;
  bounds.bottom = p.y;
  return bounds;
}

void Steamjet::activate() {
  emitter.setEmitting(true);
  lift = liftWhenOn;
  active = true;
}

void Steamjet::deactivate() {
  emitter.setEmitting(false);
  lift = Vec3(0);
  active = false;
}

void Steamjet::updateEmitter(float dt, bool distanceMode, std::size_t room) {
  emitter.update(dt, distanceMode, room);
}

}  // namespace vw
