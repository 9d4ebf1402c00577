#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "app/KeyCodes.h"
#include "app/Random.h"
#include "physics/Collision.h"
#include "player/Player.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/TrapDoor.h"
#include "world/MapElement.h"

namespace vw {
namespace {

constexpr float kDt = 1.0f / 60.0f;

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

// One update of the walk: on plain ground the speed is set to 275 less the
// friction 52.5 (wet 35); on ice 25 is added per update, not per second;
// with several contacts the friction is their mean and the last one says
// whether it is ice; friction stops a walk without reversing it; A and D
// together are no input; in the air 30 per second is added.
TEST_F(PlayerTest, WalkSpeedByGroundAndKeys) {
  enum Ground { Plain, Wet, Ice, PlainThenIce, IceThenPlain, Air };
  struct Case {
    const char* what;
    Ground ground;
    KeyArray now, before;
    float vx0, dt, vx;
    bool onIce;
    float facing;  // 0: as it was (1)
  };
  const KeyArray a = keysOf({Key::A}), d = keysOf({Key::D});
  const Case cases[] = {
      {"plain, D", Plain, d, {}, 0, kDt, 222.5f, false, 1},
      {"plain, A after D", Plain, a, d, 222.5f, kDt, -222.5f, false, -1},
      {"wet, D", Wet, d, {}, 0, kDt, 240, false, 1},
      {"ice, D from standing", Ice, d, {}, 0, kDt, 21.5f, true, 1},
      {"ice, D held", Ice, d, d, 21.5f, kDt, 43, true, 1},
      {"ice, a long update adds as much", Ice, d, d, 43, 0.5f, 64.5f, true, 1},
      {"ice, the speed limit", Ice, d, {}, 270, kDt, 275, true, 1},
      {"plain then ice: ice, mean friction", PlainThenIce, d, {}, 0, kDt, 50 - 28, true, 1},
      {"ice then plain: walking", IceThenPlain, d, {}, 0, kDt, 275 - 28, false, 1},
      {"friction slows", Plain, {}, a, -222.5f, kDt, -170, false, 0},
      {"friction stops without reversing", Plain, {}, a, -12.5f, kDt, 0, false, 0},
      {"A and D together", Plain, keysOf({Key::A, Key::D}), {}, 100, kDt, 47.5f, false, 0},
      {"air", Air, d, {}, 0, 0.25f, 7.5f, false, 1},
      {"air, held", Air, d, d, 7.5f, kDt, 15, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ground.setState(c.ground == Wet ? BlockState::Wet : BlockState::Normal);
    ice.setState(BlockState::Frozen);
    player.facing = 1;
    player.setVelocity(c.vx0, 0, 0);
    switch (c.ground) {
      case Plain: case Wet: step(c.now, c.before, {{&ground, CollisionType::Top}}, false, c.dt); break;
      case Ice: step(c.now, c.before, {{&ice, CollisionType::Top}}, false, c.dt); break;
      case PlainThenIce: step(c.now, c.before, {{&ground, CollisionType::Top}, {&ice, CollisionType::Top}}, false, c.dt); break;
      case IceThenPlain: step(c.now, c.before, {{&ice, CollisionType::Top}, {&ground, CollisionType::Top}}, false, c.dt); break;
      case Air: step(c.now, c.before, {}, false, c.dt); break;
    }
    EXPECT_NEAR(player.getVelocity().x, c.vx, 1e-3f);
    EXPECT_EQ(player.isOnIce(), c.onIce);
    EXPECT_EQ(player.facing, c.facing == 0 ? 1.0f : c.facing);
    if (c.ground == Air) {
      player.setVelocity(0, -1, 0);
      walk({});  // back on the ground for the next case
    }
  }
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

// A wall beside the player is no part of the ground, and puzzle elements are
// ground with friction too; a fall out of the world puts the player back
// where it last stood.
TEST_F(PlayerTest, FrictionIsTheMeanOfTheGroundAndRespawnIsTheLastPlaceStood) {
  MapElement wall("STONE", false, 50, 500);
  TrapDoor lid("TRAPDOOR", 100, 20, 1);
  const KeyArray d = keysOf({Key::D});
  step(d, {}, {{&ground, CollisionType::Top}, {&wall, CollisionType::Side}});
  EXPECT_FLOAT_EQ(player.getVelocity().x, 222.5f);  // 275 - 52.5
  step(d, d, {{&lid, CollisionType::Top}});
  EXPECT_FLOAT_EQ(player.getVelocity().x, 222.5f);
  for (int i = 0; i < 5; ++i) walk(d, d);
  const Vec3 lastStood = player.getPosition();
  walk(d, d);
  player.setPosition(lastStood.x + 300, -3000);
  step({}, {}, {});
  EXPECT_EQ(player.getRespawnCount(), 1);
  EXPECT_NEAR(player.getPosition().x, lastStood.x, 1e-3f);
  EXPECT_NEAR(player.getPosition().y, lastStood.y, 1e-3f);
}

// Push-outs of one contact: the player at (-300, 100) is 32 x 100, bounds x -316..-284, y 50..150.
class ResolveContactsTest : public PlayerTest {
 protected:
  void pushOut(Sprite& element, CollisionType type, Vec3 velocity) {
    player.setPosition(-300, 100);
    player.setVelocity(velocity.x, velocity.y, velocity.z);
    player.addContact(&element);
    player.addContactType(type);
    player.resolveContacts();
  }
};

TEST_F(ResolveContactsTest, SideContactStopsTheWalkExceptAgainstABox) {
  MapElement wall("STONE", false, 100, 300);
  wall.setPosition(-240, 100);  // left face at -290: 6 units in
  pushOut(wall, CollisionType::Side, Vec3(222.5f, 0, 0));
  EXPECT_NEAR(player.getPosition().x, -306, 1e-4f);
  EXPECT_EQ(player.getVelocity().x, 0.0f);
  EXPECT_TRUE(player.getContacts().empty());

  MovingBlock box("BOX", 100, 300);
  box.setPosition(-240, 100);
  pushOut(box, CollisionType::Side, Vec3(222.5f, 0, 0));
  EXPECT_NEAR(player.getPosition().x, -306, 1e-4f);
  EXPECT_EQ(player.getVelocity().x, 222.5f);
}

TEST_F(ResolveContactsTest, HeadBumpStopsTheRiseAndGroundLiftsOut) {
  MapElement ceiling("STONE", false, 400, 50);
  ceiling.setPosition(-300, 170);  // bottom at 145: 5 units into the head
  pushOut(ceiling, CollisionType::Bottom, Vec3(0, 300, 0));
  EXPECT_NEAR(player.getPosition().y, 95, 1e-4f);
  EXPECT_EQ(player.getVelocity().y, 0.0f);

  MapElement floor("STONE", false, 400, 50);
  floor.setPosition(-300, 28);  // top at 53: 3 units into the feet
  pushOut(floor, CollisionType::Top, Vec3(10, -20, 0));
  EXPECT_NEAR(player.getPosition().y, 103, 1e-4f);
  EXPECT_EQ(player.getVelocity(), Vec3(10, -20, 0));  // lifted out, speed untouched
}

}  // namespace
}  // namespace vw
