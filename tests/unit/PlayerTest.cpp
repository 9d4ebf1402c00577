#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "app/KeyCodes.h"
#include "app/Random.h"
#include "physics/Collision.h"
#include "player/Player.h"
#include "puzzle/MovingBlock.h"
#include "world/MapElement.h"

namespace vw {
namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr float kPi = 3.14159265358979f;

KeyArray keysOf(std::initializer_list<int> held) {
  KeyArray keys{};
  for (int k : held) keys[static_cast<std::size_t>(k)] = 1;
  return keys;
}

// A player standing on whatever contacts each update is given; the contact
// lists are filled directly, as the collision passes would.
class PlayerTest : public ::testing::Test {
 protected:
  PlayerTest() : player("ANIMATION", 32, 100, random), arm("ARM", 90, 80) {
    player.setColumns(18);
    player.setRows(2);
    player.setFrameCount(0, 18);
    player.setFrameCount(1, 18);
    arm.setRows(20);
    player.setArm(&arm);
    // Land on the ground where the player starts.
    player.setVelocity(0, -1, 0);
    walk({});
  }

  // One update with the given keys held now and before, touching the given contacts.
  void step(const KeyArray& now, const KeyArray& before, std::initializer_list<std::pair<Sprite*, CollisionType>> touching,
            bool mouseDown = false, float dt = kDt) {
    for (const auto& [element, type] : touching) {
      player.addContact(element);
      player.addContactType(type);
    }
    player.update(now, before, mouseDown, mouseAt, dt);
  }

  // One update on the ground block.
  void walk(const KeyArray& now, const KeyArray& before = {}) { step(now, before, {{&ground, CollisionType::Top}}); }

  Random random{7};
  Player player;
  Sprite arm;
  MapElement ground{"STONE", false, 2000, 50};
  MapElement ice{"STONE", false, 100, 50};
  Vec3 mouseAt{10000, 100, 0};  // far to the right
};

TEST_F(PlayerTest, WalkSpeedDependsOnTheGround) {
  // Plain ground: 275 set, 52.5 friction.
  walk(keysOf({Key::D}));
  EXPECT_NEAR(player.getVelocity().x, 222.5f, 1e-3f);
  EXPECT_EQ(player.facing, 1.0f);
  walk(keysOf({Key::A}), keysOf({Key::D}));
  EXPECT_NEAR(player.getVelocity().x, -222.5f, 1e-3f);
  EXPECT_EQ(player.facing, -1.0f);

  // A wet block has less friction.
  ground.setState(BlockState::Wet);
  walk(keysOf({Key::D}));
  EXPECT_NEAR(player.getVelocity().x, 240.0f, 1e-3f);
}

TEST_F(PlayerTest, IceAcceleratesPerUpdateAndCountsItsShareOfTheGround) {
  ice.setState(BlockState::Frozen);
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::D}), {}, {{&ice, CollisionType::Top}});
  EXPECT_TRUE(player.isOnIce());
  EXPECT_NEAR(player.getVelocity().x, 21.5f, 1e-3f);  // +25, -3.5
  step(keysOf({Key::D}), keysOf({Key::D}), {{&ice, CollisionType::Top}});
  EXPECT_NEAR(player.getVelocity().x, 43.0f, 1e-3f);
  // Not scaled by the frame time: a long update adds just as much.
  step(keysOf({Key::D}), keysOf({Key::D}), {{&ice, CollisionType::Top}}, false, 0.5f);
  EXPECT_NEAR(player.getVelocity().x, 64.5f, 1e-3f);

  // Two ground contacts, the last of them ice: n = 2, and friction is the mean (52.5 + 3.5) / 2.
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::D}), {}, {{&ground, CollisionType::Top}, {&ice, CollisionType::Top}});
  EXPECT_TRUE(player.isOnIce());
  EXPECT_NEAR(player.getVelocity().x, 50.0f - 28.0f, 1e-3f);

  // The same two the other way round: the last one decides, so it is plain walking.
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::D}), {}, {{&ice, CollisionType::Top}, {&ground, CollisionType::Top}});
  EXPECT_FALSE(player.isOnIce());
  EXPECT_NEAR(player.getVelocity().x, 275.0f - 28.0f, 1e-3f);

  // The speed limit holds on ice too.
  player.setVelocity(270, 0, 0);
  step(keysOf({Key::D}), {}, {{&ice, CollisionType::Top}});
  EXPECT_EQ(player.getVelocity().x, 275.0f);
}

TEST_F(PlayerTest, FrictionStopsAWalkWithoutReversingIt) {
  walk(keysOf({Key::A}));
  ASSERT_NEAR(player.getVelocity().x, -222.5f, 1e-3f);
  const float expected[] = {-170.0f, -117.5f, -65.0f, -12.5f, 0.0f};
  for (float v : expected) {
    walk({}, keysOf({Key::A}));
    EXPECT_NEAR(player.getVelocity().x, v, 1e-3f);
  }
  EXPECT_EQ(player.getVelocity().x, 0.0f);

  // A and D together: no input, facing kept, friction still slows.
  player.setVelocity(100, 0, 0);
  const float facing = player.facing;
  walk(keysOf({Key::A, Key::D}));
  EXPECT_NEAR(player.getVelocity().x, 47.5f, 1e-3f);
  EXPECT_EQ(player.facing, facing);
}

TEST_F(PlayerTest, AirControlAddsPerUpdate) {
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::D}), {}, {}, false, 0.25f);
  EXPECT_NEAR(player.getVelocity().x, 7.5f, 1e-4f);
  step(keysOf({Key::D}), keysOf({Key::D}), {}, false, kDt);
  EXPECT_NEAR(player.getVelocity().x, 15.0f, 1e-4f);
}

TEST_F(PlayerTest, OneJumpPerPressOfWOrSpace) {
  walk({});
  ASSERT_TRUE(player.isOnGround());
  walk(keysOf({Key::W}));
  EXPECT_EQ(player.getVelocity().y, 600.0f);
  // Held: no second jump, and the umbrella stays shut while rising.
  player.setVelocity(0, 0, 0);
  walk(keysOf({Key::W}), keysOf({Key::W}));
  EXPECT_EQ(player.getVelocity().y, 0.0f);
  // SPACE held while W is released still counts as held.
  walk(keysOf({Key::Space}), keysOf({Key::W}));
  EXPECT_EQ(player.getVelocity().y, 0.0f);
  // Both released for one update, then SPACE jumps again.
  walk({}, keysOf({Key::Space}));
  walk(keysOf({Key::Space}));
  EXPECT_EQ(player.getVelocity().y, 600.0f);

  // No jump in the air.
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::W}), {}, {}, false, 0.1f);
  EXPECT_FALSE(player.isOnGround());
  EXPECT_LT(player.getVelocity().y, 0.0f);
}

TEST_F(PlayerTest, LandsOnlyWhileFalling) {
  step({}, {}, {}, false, 0.0f);
  ASSERT_FALSE(player.isOnGround());
  // A Top contact while rising does not land the player.
  player.setVelocity(0, 100, 0);
  walk({});
  EXPECT_FALSE(player.isOnGround());
  player.setVelocity(0, -50, 0);
  walk({});
  EXPECT_TRUE(player.isOnGround());
  EXPECT_EQ(player.getVelocity().y, 0.0f);
  // Leaving the ground clears it.
  step({}, {}, {}, false, 0.0f);
  EXPECT_FALSE(player.isOnGround());
}

TEST_F(PlayerTest, UmbrellaSlowsTheFallButNotItsLimit) {
  player.setVelocity(0, 0, 0);
  step(keysOf({Key::W}), {}, {}, false, 0.1f);
  EXPECT_EQ(player.getGravityDivisor(), 5.0f);
  EXPECT_NEAR(player.getVelocity().y, -17.5f, 1e-4f);  // 175 per second squared
  EXPECT_EQ(player.getAnimation(), 1);
  EXPECT_EQ(player.frameDelay, 1);

  step({}, keysOf({Key::W}), {}, false, 0.1f);
  EXPECT_NEAR(player.getVelocity().y, -17.5f - 87.5f, 1e-3f);
  EXPECT_EQ(player.getAnimation(), 0);
  EXPECT_EQ(player.frameDelay, 2);

  for (int i = 0; i < 200; ++i) step(keysOf({Key::W}), keysOf({Key::W}), {}, false, 0.1f);
  EXPECT_EQ(player.getVelocity().y, -300.0f);

  // Held on the ground: divisor 5 but no gravity and no umbrella picture.
  player.setVelocity(0, -10, 0);
  walk(keysOf({Key::W}), keysOf({Key::W}));
  EXPECT_TRUE(player.isOnGround());
  walk(keysOf({Key::W}), keysOf({Key::W}));
  EXPECT_EQ(player.getGravityDivisor(), 5.0f);
  EXPECT_EQ(player.getVelocity().y, 0.0f);
  EXPECT_EQ(player.getAnimation(), 0);
}

TEST_F(PlayerTest, QCyclesThePowerOncePerPressAndNotWithSpace) {
  const KeyArray q = keysOf({Key::Q});
  step(q, {}, {});
  EXPECT_EQ(player.getPower(), Power::Steam);
  EXPECT_EQ(player.getEmitter().getSprayKind(), Power::Steam);
  step(q, q, {});  // still held
  EXPECT_EQ(player.getPower(), Power::Steam);
  step(q, {}, {});
  EXPECT_EQ(player.getPower(), Power::Ice);
  step(q, {}, {});
  EXPECT_EQ(player.getPower(), Power::Water);
  EXPECT_EQ(player.getEmitter().getSprayKind(), Power::Water);

  step(keysOf({Key::Q, Key::Space}), {}, {});
  EXPECT_EQ(player.getPower(), Power::Water);
  // Cycling does not block the spray.
  EXPECT_FALSE(player.sprayBlocked);
}

TEST_F(PlayerTest, NumberKeysChooseOnlyWhileTheButtonIsUp) {
  // Held button: key 2 is ignored and the spray goes on.
  step(keysOf({Key::Two}), {}, {}, true);
  EXPECT_EQ(player.getPower(), Power::Water);
  EXPECT_FALSE(player.sprayBlocked);
  EXPECT_TRUE(player.getEmitter().isEmitting());

  // Released: key 2 selects Steam and blocks the spray of this update.
  step(keysOf({Key::Two}), {}, {}, false);
  EXPECT_EQ(player.getPower(), Power::Steam);
  EXPECT_EQ(player.getEmitter().getSprayKind(), Power::Steam);
  EXPECT_TRUE(player.sprayBlocked);
  EXPECT_FALSE(player.getEmitter().isEmitting());

  // Held keys keep applying; the first in 1, 2, 3 order wins.
  player.sprayBlocked = false;
  step(keysOf({Key::Three, Key::One}), keysOf({Key::Three, Key::One}), {}, false);
  EXPECT_EQ(player.getPower(), Power::Water);
  step(keysOf({Key::Three}), keysOf({Key::Three}), {}, false);
  EXPECT_EQ(player.getPower(), Power::Ice);

  // A power chosen elsewhere (a HUD click) blocks the spray although the button is down.
  player.sprayBlocked = true;
  step({}, {}, {}, true);
  EXPECT_FALSE(player.getEmitter().isEmitting());
  player.sprayBlocked = false;
  step({}, {}, {}, true);
  EXPECT_TRUE(player.getEmitter().isEmitting());
}

// Push-outs: the player at (-300, 100) is 32 x 100, bounds x -316..-284, y 50..150.
class ResolveContactsTest : public PlayerTest {};

TEST_F(ResolveContactsTest, SideContactStopsTheWalkExceptAgainstABox) {
  MapElement wall("STONE", false, 100, 300);
  wall.setPosition(-240, 100);  // left face at -290: 6 units in
  player.setVelocity(222.5f, 0, 0);
  player.addContact(&wall);
  player.addContactType(CollisionType::Side);
  player.resolveContacts();
  EXPECT_NEAR(player.getPosition().x, -306, 1e-4f);
  EXPECT_EQ(player.getVelocity().x, 0.0f);
  EXPECT_TRUE(player.getContacts().empty());

  MovingBlock box("BOX", 100, 300);
  box.setPosition(-246, 100);  // left face at -296: 6 units in again
  player.setVelocity(222.5f, 0, 0);
  player.addContact(&box);
  player.addContactType(CollisionType::Side);
  player.resolveContacts();
  EXPECT_NEAR(player.getPosition().x, -312, 1e-4f);
  EXPECT_EQ(player.getVelocity().x, 222.5f);
}

TEST_F(ResolveContactsTest, HeadBumpStopsTheRiseAndGroundLiftsOut) {
  MapElement ceiling("STONE", false, 400, 50);
  ceiling.setPosition(-300, 170);  // bottom at 145: 5 units into the head
  player.setVelocity(0, 300, 0);
  player.addContact(&ceiling);
  player.addContactType(CollisionType::Bottom);
  player.resolveContacts();
  EXPECT_NEAR(player.getPosition().y, 95, 1e-4f);
  EXPECT_EQ(player.getVelocity().y, 0.0f);

  // Sunk 3 units into a floor: lifted out, speed untouched.
  MapElement floor("STONE", false, 400, 50);
  floor.setPosition(-300, 95 - 50 - 25 + 3);
  player.setVelocity(10, -20, 0);
  player.addContact(&floor);
  player.addContactType(CollisionType::Top);
  player.resolveContacts();
  EXPECT_NEAR(player.getPosition().y, 95 + 3, 1e-4f);
  EXPECT_EQ(player.getVelocity(), Vec3(10, -20, 0));
}

}  // namespace
}  // namespace vw
