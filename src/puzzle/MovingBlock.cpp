#include "puzzle/MovingBlock.h"

#include <algorithm>
#include <cmath>

namespace vw {

namespace {

constexpr float kMaxSlideSpeed = 275.0f;

// The block under a Top contact, when the contact is a map block (puzzle
// elements under a box give no friction and no ice).
const MapElement* groundBlock(const Sprite* contact) {
  if (contact->getKind() != SpriteKind::MapBlock) return nullptr;
  return dynamic_cast<const MapElement*>(contact);
}

// Friction slows the box but never reverses it; the speed stays within the limit.
float applyFriction(float speed, float friction) {
  if (speed > 0) {
    speed -= friction;
    if (speed < 0) return 0;
    return std::min(speed, kMaxSlideSpeed);
  }
  if (speed < 0) {
    speed += friction;
    if (speed > 0) return 0;
    return std::max(speed, -kMaxSlideSpeed);
  }
  return speed;
}

}  // namespace

MovingBlock::MovingBlock(const std::string& key, float width, float height) : PuzzleElement(nullptr, nullptr) {
  mass = 150;
  friction = kPlainFriction;
  frictionSurface = true;
  type = PuzzleElementType::MovingBlock;
  init(key, width, height);
  velocity = Vec3(0);
}

void MovingBlock::deactivate() {
  velocity.x = 0;
  velocity.y = 0;
  active = false;
}

void MovingBlock::land() {
  onGround = true;
  gravity = 0;
  velocity.y = 0;
}

void MovingBlock::leaveGround() {
  onGround = false;
  gravity = kGravity;
}

void MovingBlock::update(float dt) {
  if (!std::isfinite(dt) || dt < 0) dt = 0;
  updateBounds();

  int groundCount = 0;
  for (CollisionType t : contactTypes) groundCount += t == CollisionType::Top ? 1 : 0;
  if (groundCount == 0) {
    leaveGround();
  } else {
    land();
  }
  if (!onGround) velocity.y -= gravity * dt;

  // Per update, not scaled by dt: the mean ground friction over all contacts.
  float totalFriction = 0;
  bool onIce = false;
  const float contactCount = static_cast<float>(contacts.size());
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (contactTypes[i] != CollisionType::Top) continue;
    const MapElement* block = groundBlock(contacts[i]);
    if (!block) continue;
    totalFriction += block->getFriction() * mass * kGravity / contactCount;
    if (block->getState() == BlockState::Frozen) onIce = true;
  }
  velocity.x = applyFriction(velocity.x, totalFriction);
  if (velocity.y < minVerticalSpeed) velocity.y = minVerticalSpeed;

  if (active) translate(velocity.x * dt, velocity.y * dt, velocity.z * dt);

  active = onIce || !onGround;
  if (!active) deactivate();
  contacts.clear();
  contactTypes.clear();
}

void MovingBlock::resolveContacts() {
  for (Sprite* contact : contacts) {
    Penetration p = penetration(updateBounds(), contact->updateBounds());
    if (std::fabs(p.dx) > std::fabs(p.dy)) {
      translate(0, p.dy, 0);
      velocity.y = 0;
    } else {
      translate(p.dx, 0, 0);
      velocity.x = 0;
    }
  }
  updateBounds();
  contacts.clear();
  contactTypes.clear();
}

void MovingBlock::push(float amount) {
  velocity.x += std::cos(pushAngle) * amount;
  velocity.y += std::sin(pushAngle) * amount;
}

}  // namespace vw
