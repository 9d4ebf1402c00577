#pragma once
// MovingBlock: a crate that falls, stands on blocks and doors, holds buttons
// down, and slides only on ice or in the air; shoved by the player's body and
// by water and ice spray.
#include <vector>

#include "puzzle/PuzzleElement.h"

namespace vw {

constexpr float kGravity = 875.0f;

class MovingBlock : public PuzzleElement {
 public:
  MovingBlock(const std::string& key, float width, float height);
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<MovingBlock>(*this); }

  void activate() override { active = true; }
  // Stops the box: both speeds 0, not active.
  void deactivate() override;
  // Gravity, friction and motion, once per update.
  void update(float dt) override;
  // Pushes the box out of everything it touched, zeroing that speed component.
  void resolveContacts();
  // Adds amount along pushAngle (always +x).
  void push(float amount);
  // A copy's contacts, pointed at the copied world through `map`.
  void relinkContacts(const SpriteMap& map) {
    for (Sprite*& contact : contacts) contact = map(contact);
  }
  void addContact(Sprite* element) { contacts.push_back(element); }
  void addContactType(CollisionType type) { contactTypes.push_back(type); }
  Vec3 getVelocity() const { return velocity; }
  void setVelocity(Vec3 v) { velocity = v; }
  void land();
  void leaveGround();
  bool isOnGround() const { return onGround; }

  const std::vector<Sprite*>& getContacts() const { return contacts; }
  const std::vector<CollisionType>& getContactTypes() const { return contactTypes; }

 private:
  bool onGround = false;
  float gravity = 0;
  Vec3 velocity{0};
  float pushAngle = 0;
  float minVerticalSpeed = -400;
  std::vector<Sprite*> contacts;
  std::vector<CollisionType> contactTypes;
};

}  // namespace vw
