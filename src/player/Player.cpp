#include "player/Player.h"

#include <cmath>

#include "app/KeyCodes.h"
#include "puzzle/PuzzleElement.h"
#include "world/MapElement.h"

namespace vw {

namespace {

constexpr float kGravity = 875.0f;
constexpr float kUmbrellaDivisor = 5.0f;
constexpr float kKillHeight = -3000.0f;
constexpr double kDegreesPerRadian = 57.29579143313326;
const Vec3 kStartPosition(-300, 100, 0);
const Vec3 kArmStartOffset(-310, 125, 0);
// The player's spray: width 9, length 160, pointing right.
constexpr float kSprayWidth = 9.0f;
constexpr float kSprayLength = 160.0f;

bool held(const KeyArray& keys, int key) { return keys[static_cast<std::size_t>(key)] != 0; }

// The block state of a ground contact that is a map block standing in ice.
bool isIceBlock(Sprite* element) {
  if (element->kind != SpriteKind::MapBlock) return false;
  auto* block = dynamic_cast<MapElement*>(element);
  return block != nullptr && block->getState() == BlockState::Frozen;
}

bool isMovingBlock(Sprite* element) {
  if (element->kind != SpriteKind::PuzzleElement) return false;
  auto* puzzle = dynamic_cast<PuzzleElement*>(element);
  return puzzle != nullptr && puzzle->getType() == PuzzleElementType::MovingBlock;
}

Power nextPower(Power p) {
  switch (p) {
    case Power::Steam: return Power::Ice;
    case Power::Water: return Power::Steam;
    case Power::Ice: return Power::Water;
  }
  return Power::Steam;
}

}  // namespace

int armRow(float aimAngle) {
  const double sector = static_cast<double>(aimAngle) * kDegreesPerRadian / 20 + 5;
  // Anything outside the circle (a NaN aim) points the arm straight ahead.
  if (!(sector > -5 && sector < 15)) return 5;
  const int row = static_cast<int>(sector);
  switch (row) {
    case -1: return 15;  // -140 to -120 degrees
    case -2: return 16;  // -160 to -140
    case -3: return 17;  // -180 to -160
    case -4: return 14;  // exactly -180: straight left
    default: return row;
  }
}

Player::Player(const std::string& key, float width, float height, Random& random)
    : Sprite(key, width, height), emitter(kSprayWidth, kSprayLength, 0.0f, Vec3(0), power, random) {
  kind = SpriteKind::Player;
  mass = 100;
  frameDelay = 2;
  translate(kStartPosition.x, kStartPosition.y, kStartPosition.z);
  const Vec3 start = getPosition();
  emitter.setSpawnPoint(start.x, start.y, start.z);
  emitter.setEmitting(false);
  updateBounds();
}

void Player::setArm(Sprite* armSprite) {
  if (armSprite == nullptr) return;
  arm = armSprite;
  arm->translate(kArmStartOffset.x, kArmStartOffset.y, kArmStartOffset.z);
  hasArm = true;
}

void Player::relink(Sprite* armSprite, Random& random, const SpriteMap& map) {
  arm = armSprite;
  emitter.setRandom(random);
  for (Sprite*& contact : contacts) contact = map(contact);
}

bool Player::isUmbrellaOpen() const { return gravityDivisor >= kUmbrellaDivisor && !onGround; }

void Player::setPower(Power p) {
  power = p;
  emitter.setSprayKind(p);
}

void Player::update(const KeyArray& keys, const KeyArray& previousKeys, bool mouseDown, Vec3 mouseWorld, float dt) {
  movementStep(keys, previousKeys, dt);
  chooseAnimation(keys);
  choosePower(keys, previousKeys, mouseDown);
  aim(mouseWorld);

  emitter.setEmitting(mouseDown && !sprayBlocked);
  if (emitter.isEmitting()) emitter.setAngle(aimAngle);
  // The spray leaves from where the player stood before this update's move.
  const Vec3 p = getPosition();
  emitter.setSpawnPoint(p.x, p.y, p.z);
  emitter.update(dt, false);

  translate(velocity.x * dt, velocity.y * dt, velocity.z * dt);

  armOffset = facing == 1.0f ? Vec3(-12, 8, 0) : Vec3(12, 8, 0);
  if (hasArm) {
    const Vec3 moved = getPosition();
    arm->setPosition(moved.x + armOffset.x, moved.y + armOffset.y);
  }

  if (getPosition().y <= kKillHeight) respawn();

  contacts.clear();
  contactTypes.clear();
}

void Player::movementStep(const KeyArray& keys, const KeyArray& previousKeys, float dt) {
  // Ground scan: onIce ends up telling whether the last Top contact is ice.
  int groundCount = 0;
  int iceCount = 0;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (contactTypes[i] != CollisionType::Top) continue;
    ++groundCount;
    lastGroundPosition = getPosition();
    onIce = isIceBlock(contacts[i]);
    if (onIce) ++iceCount;
  }
  if (groundCount == 0) {
    leaveGround();
  } else if (!onGround && velocity.y < 0) {
    land();
  }

  // Jump on a fresh press, umbrella while held and not rising.
  gravityDivisor = 1.0f;
  if (held(keys, Key::W) || held(keys, Key::Space)) {
    const bool heldBefore = held(previousKeys, Key::W) || held(previousKeys, Key::Space);
    if (onGround && !heldBefore) {
      velocity.y += jumpImpulse;
      gravityDivisor = 1.0f;
    } else {
      gravityDivisor = velocity.y <= 0 ? kUmbrellaDivisor : 1.0f;
    }
  }

  // Horizontal input, per update; nothing while A and D are both held.
  const bool left = held(keys, Key::A);
  const bool right = held(keys, Key::D);
  if (left != right) {
    const float sign = left ? -1.0f : 1.0f;
    facing = sign;
    if (onIce && onGround) {
      const int n = iceCount > 0 ? groundCount / iceCount : 1;
      velocity.x += sign * static_cast<float>(n) * iceAcceleration;
    } else if (onGround) {
      velocity.x = sign * walkSpeed;
    } else {
      velocity.x += sign * airControl * 0.1f;
    }
  }

  if (!onGround) velocity.y -= kGravity / gravityDivisor * dt;

  // Friction of the mean ground surface, per update; it never reverses the motion.
  float friction = 0;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    Sprite* element = contacts[i];
    if (contactTypes[i] != CollisionType::Top) continue;
    if (element->kind != SpriteKind::MapBlock && !element->frictionSurface) continue;
    friction += element->getFriction() * mass * kGravity / static_cast<float>(groundCount);
  }
  if (velocity.x > 0) {
    velocity.x -= friction;
    if (velocity.x < 0) {
      velocity.x = 0;
    } else if (velocity.x > walkSpeed) {
      velocity.x = walkSpeed;
    }
  } else if (velocity.x < 0) {
    velocity.x += friction;
    if (velocity.x > 0) {
      velocity.x = 0;
    } else if (velocity.x < -walkSpeed) {
      velocity.x = -walkSpeed;
    }
  }

  if (velocity.y < minVerticalSpeed) velocity.y = minVerticalSpeed;
  if (velocity.y > maxVerticalSpeed) velocity.y = maxVerticalSpeed;
}

// The row is chosen once, from the final condition: choosing the walk row and
// then the umbrella row in the same update would restart the sway every time.
void Player::chooseAnimation(const KeyArray& keys) {
  const bool umbrellaOpen = isUmbrellaOpen();
  setAnimation(umbrellaOpen ? 1 : 0);
  frameDelay = umbrellaOpen || held(keys, Key::A) || held(keys, Key::D) ? 1 : 2;
}

void Player::choosePower(const KeyArray& keys, const KeyArray& previousKeys, bool mouseDown) {
  if (held(keys, Key::Q) && !held(previousKeys, Key::Q) && !held(keys, Key::Space)) {
    power = nextPower(power);
    emitter.setSprayKind(power);
  }
  // Number keys count while held, and not while the button sprays.
  if (mouseDown) return;
  bool chosen = true;
  if (held(keys, Key::One)) {
    power = Power::Water;
  } else if (held(keys, Key::Two)) {
    power = Power::Steam;
  } else if (held(keys, Key::Three)) {
    power = Power::Ice;
  } else {
    chosen = false;
  }
  if (chosen) {
    emitter.setSprayKind(power);
    sprayBlocked = true;
  }
}

void Player::aim(Vec3 mouseWorld) {
  const Vec3 p = getPosition();
  aimAngle = std::atan2(mouseWorld.y - p.y, mouseWorld.x - p.x);
  if (hasArm) arm->setAnimation(armRow(aimAngle));
}

void Player::resolveContacts() {
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    Sprite* element = contacts[i];
    const Bounds m = updateBounds();
    const Bounds o = element->updateBounds();
    const Penetration depth = penetration(m, o);
    if (std::fabs(depth.dx) > std::fabs(depth.dy)) {
      translate(0, depth.dy, 0);
      // A head bump stops the rise; landing on a Top while still rising does not.
      if (depth.dy < 0 && !(contactTypes[i] == CollisionType::Top && velocity.y > 0)) velocity.y = 0;
    } else {
      translate(depth.dx, 0, 0);
      // Pushing against a box keeps the speed, so the box can be shoved.
      if (!isMovingBlock(element)) velocity.x = 0;
    }
  }
  contacts.clear();
  contactTypes.clear();
}

void Player::respawn() {
  const Vec3 back = lastGroundPosition - getPosition();
  translate(back.x, back.y, back.z);
  ++respawnCount;
}

void Player::land() {
  onGround = true;
  velocity.y = 0;
  gravityDivisor = 1.0f;
}

void Player::leaveGround() {
  onGround = false;
  onIce = false;
}

}  // namespace vw
