#pragma once
// Player: the character the user steers. Walks, jumps, floats under an
// umbrella, aims an arm at the cursor and carries the spray emitter of its
// current power.
#include <memory>
#include <vector>

#include "app/Input.h"
#include "player/ParticleEmitter.h"
#include "render/Sprite.h"

namespace vw {

class Random;

// The arm sheet row for an aim angle in radians. Rows 0 to 14 cover the
// angles above -120 degrees in 20-degree sectors (row 5 from 0 to 20 degrees,
// row 9 around straight up, row 14 straight left); rows 15 to 17 the
// sectors from -120 down to -180 degrees.
int armRow(float aimAngle);

class Player : public Sprite {
 public:
  Player(const std::string& key, float width, float height, Random& random);

  // Attaches the arm (not owned) and moves it beside the player.
  void setArm(Sprite* armSprite);
  // The once-per-update step: movement, animation, power choice, aim, spray, move.
  void update(const KeyArray& keys, const KeyArray& previousKeys, bool mouseDown, Vec3 mouseWorld, float dt);
  void addContact(Sprite* element) { contacts.push_back(element); }
  void addContactType(CollisionType type) { contactTypes.push_back(type); }
  // Pushes the player out of everything it touched.
  void resolveContacts();
  void setPower(Power p);
  Power getPower() const { return power; }
  ParticleEmitter& getEmitter() { return emitter; }
  const ParticleEmitter& getEmitter() const { return emitter; }
  Vec3 getVelocity() const { return velocity; }
  void setVelocity(float x, float y, float z) { velocity = Vec3(x, y, z); }
  // A copy's links: its arm, its generator, and its contacts through `map`.
  void relink(Sprite* armSprite, Random& random, const SpriteMap& map);
  // True while the umbrella is open: W held while falling, off the ground.
  bool isUmbrellaOpen() const;
  // Puts the player back where it last stood; the velocity is kept.
  void respawn();

  bool isOnGround() const { return onGround; }
  bool isOnIce() const { return onIce; }
  float getAimAngle() const { return aimAngle; }
  float getGravityDivisor() const { return gravityDivisor; }
  Vec3 getLastGroundPosition() const { return lastGroundPosition; }
  int getRespawnCount() const { return respawnCount; }
  const std::vector<Sprite*>& getContacts() const { return contacts; }
  const std::vector<CollisionType>& getContactTypes() const { return contactTypes; }

  bool sprayBlocked = false;

 private:
  void movementStep(const KeyArray& keys, const KeyArray& previousKeys, float dt);
  void chooseAnimation(const KeyArray& keys);
  void choosePower(const KeyArray& keys, const KeyArray& previousKeys, bool mouseDown);
  void aim(Vec3 mouseWorld);
  void land();
  void leaveGround();

  Sprite* arm = nullptr;
  Power power = Power::Water;
  Vec3 velocity{0};
  ParticleEmitter emitter;
  Vec3 lastGroundPosition{0};
  float gravityDivisor = 1.0f;
  float walkSpeed = 275.0f;
  float airControl = 75.0f;
  float iceAcceleration = 25.0f;
  float minVerticalSpeed = -300.0f;
  float maxVerticalSpeed = 600.0f;
  float jumpImpulse = 600.0f;
  bool onGround = false;
  bool onIce = false;
  bool hasArm = false;
  std::vector<Sprite*> contacts;
  std::vector<CollisionType> contactTypes;
  float aimAngle = 0;
  Vec3 armOffset{0};
  int respawnCount = 0;
};

}  // namespace vw
