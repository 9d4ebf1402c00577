// The rules of the collision passes a player notices when they break: which
// side a touch is, which spray particles count, when momentum is shared, when
// ice sets a box moving, what a box under a door does, and the order of the
// passes in one frame.
#include <gtest/gtest.h>

#include "physics/Collision.h"
#include "physics/Geometry.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::ParticleList;
using test::TestWorld;

constexpr float kDt = 1.0f / 60.0f;

TEST(CollisionSide, SidesAndDepthsOfEveryKindOfTouch) {
  struct Case {
    const char* what;
    Bounds mover, obstacle;
    CollisionType side;
    float dx, dy;
  };
  const Case cases[] = {
      {"standing on top", {0, 10, 20, 5}, {-100, 100, 6, -50}, CollisionType::Top, 100, 1},
      {"head under a ceiling", {0, 10, 20, 5}, {-100, 100, 40, 19}, CollisionType::Bottom, 100, -1},
      {"walking into a wall", {0, 10, 20, 5}, {9, 50, 100, -100}, CollisionType::Side, -1, -120},
      {"equal depths are a side", {0, 10, 10, 0}, {9, 20, 11, 9}, CollisionType::Side, -1, -1},
      {"equal tops are not a top", {0, 10, 10, 0}, {-100, 100, 10, 5}, CollisionType::Bottom, 100, -5},
      {"equal lefts measure to the right", {0, 10, 100, -100}, {0, 5, 1, 0}, CollisionType::Side, -10, 101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(collisionSide(c.mover, c.obstacle), c.side);
    const Penetration p = penetration(c.mover, c.obstacle);
    EXPECT_FLOAT_EQ(p.dx, c.dx);
    EXPECT_FLOAT_EQ(p.dy, c.dy);
  }
  EXPECT_TRUE(pointInRect(Vec3(0, 5, 0), Bounds{0, 10, 10, 0}));  // edges are inside
}

// Ice and steam count at every fifth particle only; a hit spends the
// particle and the two on either side (the tested one stands in for
// neighbours past either end of the list).
TEST(SprayOnBlocks, IceAndSteamCountAtEveryFifthParticleAndSpendItsGroup) {
  struct Case {
    Power kind;
    BlockState before, after;
  };
  for (const Case c : {Case{Power::Ice, BlockState::Normal, BlockState::Frozen},
                       Case{Power::Steam, BlockState::Frozen, BlockState::Normal}}) {
    for (std::size_t hitting : {0u, 3u, 5u}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + " at " + std::to_string(hitting));
      TestWorld w;
      MapElement& block = w.addBlock(0, 0, 100, 100, c.before);
      ParticleList particles = w.farParticles(c.kind, 6);
      particles[hitting] = w.particle(c.kind, 0, 0);
      CollisionScene scene = w.scene();
      collideSpray(scene, particles);
      const bool leader = hitting % 5 == 0;
      EXPECT_EQ(block.getState(), leader ? c.after : c.before);
      for (std::size_t i = 0; i < particles.size(); ++i) {
        EXPECT_EQ(particles[i].spent, leader && i + 2 >= hitting && i <= hitting + 2) << "particle " << i;
      }
    }
  }
}

struct ShoveCase {
  const char* what;
  float playerX, playerY;  // the box's centre is at (0, 75), its top at 100
  bool boxOnIce;
  float boxSpeed;
};

TEST(PlayerShove, MomentumIsSharedOnlyWalkingIntoTheSideOfAMovingBox) {
  const ShoveCase cases[] = {
      {"into the side of a box on ice", -41, 100, true, 89},
      {"landing on top of a box on ice", 0, 148, true, 0},
      {"into the side of a box on stone", -41, 100, false, 0},
  };
  for (const ShoveCase& c : cases) {
    SCOPED_TRACE(c.what);
    TestWorld w;
    w.addBlock(0, 0, 400, 100, c.boxOnIce ? BlockState::Frozen : BlockState::Normal);
    auto& box = w.add<MovingBlock>(0, 75, "RUSTYBOX", 50.0f, 50.0f);
    CollisionScene scene = w.scene();
    collideBox(scene, box);
    w.placePlayer(c.playerX, c.playerY);
    w.player.setVelocity(222.5f, -10, 0);
    collidePlayerWithElements(scene);
    EXPECT_FLOAT_EQ(box.getVelocity().x, c.boxSpeed);
    if (c.boxSpeed > 0) {
      EXPECT_FLOAT_EQ(w.player.getVelocity().y, -10);  // its own fall kept
    }
  }
}

TEST(BoxOnIce, OnlyIceUnderTheBoxSetsItMoving) {
  TestWorld w;
  w.addBlock(0, 0, 100, 100);
  w.addBlock(75, 75, 50, 50, BlockState::Frozen);  // a frozen wall beside the box
  auto& box = w.add<MovingBlock>(26, 75, "RUSTYBOX", 50.0f, 50.0f);
  CollisionScene scene = w.scene();
  collideBox(scene, box);
  ASSERT_EQ(box.getContactTypes().size(), 2u);
  EXPECT_FALSE(box.isActive());
}

// Half on ice, the other half on plain stone or a closed trap door: the ice
// gives 5.25 and the stone 78.75, shared by the two contacts; elements give none.
TEST(BoxFriction, TheMeanOfTheGroundUnderTheBoxAndElementsGiveNone) {
  for (bool onLid : {false, true}) {
    SCOPED_TRACE(onLid ? "ice and a trap door" : "ice and stone");
    TestWorld w;
    w.addBlock(-50, 0, 100, 100, BlockState::Frozen);
    if (onLid) {
      w.add<TrapDoor>(50, 0, "TRAPDOOR", 100.0f, 100.0f, 1.0f);
    } else {
      w.addBlock(50, 0, 100, 100);
    }
    auto& box = w.add<MovingBlock>(0, 75, "RUSTYBOX", 50.0f, 50.0f);
    CollisionScene scene = w.scene();
    collideBox(scene, box);
    box.setVelocity(Vec3(100, 0, 0));
    box.update(kDt);
    EXPECT_FLOAT_EQ(box.getVelocity().x, onLid ? 100 - 2.625f : 58.0f);
    EXPECT_TRUE(box.isActive());
  }
}

TEST(BoxPushOut, EqualDepthsPushSidewaysAndStopOnlyTheSidewaysSpeed) {
  TestWorld w;
  MapElement& corner = w.addBlock(40, 35, 30, 30);  // touching the box's lower right corner
  auto& box = w.add<MovingBlock>(0, 75, "RUSTYBOX", 50.0f, 50.0f);
  box.addContact(&corner);
  box.addContactType(CollisionType::Side);
  box.setVelocity(Vec3(100, -100, 0));
  box.resolveContacts();
  EXPECT_EQ(box.getVelocity(), Vec3(0, -100, 0));
}

// A box under a door's bottom raises it: a Toggle door all the way, an
// Active door falling from the top from where it is, not from the bottom.
TEST(BoxUnderDoor, RaisesAToggleDoorFullyAndAnActiveDoorFromWhereItIs) {
  TestWorld w;
  auto& toggle = w.add<RisingDoor>(0, 100, "RISINGDOOR", 100.0f, 100.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  auto& under = w.add<MovingBlock>(0, 26, "RUSTYBOX", 50.0f, 50.0f);  // top 51: under the door's bottom 50
  auto& door = w.add<RisingDoor>(500, 100, "RISINGDOOR", 100.0f, 100.0f, 1.0f, 5.0f, DoorMode::Active, nullptr);
  door.deactivate();  // falling from the top
  for (int i = 0; i < 30; ++i) door.update(kDt);
  const float halfWay = door.getPosition().y;
  ASSERT_GT(halfWay, 150.0f);
  auto& box = w.add<MovingBlock>(500, halfWay - 74, "RUSTYBOX", 50.0f, 50.0f);
  CollisionScene scene = w.scene();
  collideBox(scene, under);
  collideBox(scene, box);
  EXPECT_EQ(under.getContactTypes()[0], CollisionType::Bottom);
  ASSERT_TRUE(toggle.isActive());
  ASSERT_TRUE(door.isActive());
  door.update(kDt);
  EXPECT_GT(door.getPosition().y, halfWay);
  for (int i = 0; i < 120; ++i) toggle.update(kDt);
  EXPECT_EQ(toggle.getPosition().y, 300.0f);
}

// The full pass presses buttons and blocks jets before the player's touches
// are looked at: a jet blocked in this frame lifts no one, and a button the
// box pressed is let go by the player's pass when the player is elsewhere.
TEST(CollideAll, BoxesAndJetsComeBeforeThePlayersTouches) {
  TestWorld w;
  w.addBlock(0, 0, 2000, 100);
  Steamjet& jet = w.add<Steamjet>(0, 50, "STONE2", 50.0f, 50.0f, 100.0f, 300.0f, Vec3(0, 30, 0), w.random);
  jet.activate();
  auto& box = w.add<MovingBlock>(30, 75, "RUSTYBOX", 50.0f, 50.0f);  // in the jet's column
  Btn& button = w.add<Btn>(300, 55, "BUTTONART", 60.0f, 10.0f, true, nullptr, nullptr);
  auto& boxOnButton = w.add<MovingBlock>(300, 85, "RUSTYBOX", 50.0f, 50.0f);
  (void)box;
  (void)boxOnButton;
  w.placePlayer(0, 200);
  w.player.setVelocity(0, 0, 0);
  CollisionScene scene = w.scene();
  collideAll(scene);
  EXPECT_FALSE(jet.isActive());
  EXPECT_EQ(w.player.getVelocity().y, 0.0f) << "lifted by a jet blocked in this frame";
  EXPECT_EQ(w.player.getPosition().y, 201.0f);  // a column moves the player up a unit, on or off
  EXPECT_TRUE(button.isActive());
  EXPECT_FALSE(button.isPressed());
}

TEST(RectsOverlap, SharedEdgesAndCornersOverlapBothWays) {
  const Bounds a{0, 5, 10, 0};
  struct Case {
    Bounds b;
    bool overlap;
  };
  const Case cases[] = {
      {{5, 9, 10, 0}, true},         // the edge x = 5
      {{5, 9, 14, 10}, true},        // the corner (5, 10)
      {{5.001f, 9, 10, 0}, false},
      {{0, 5, 20, 10.001f}, false},
      {{-10, 20, 30, -10}, true},    // around it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rectsOverlap(a, c.b), c.overlap) << c.b.left << " " << c.b.bottom;
    EXPECT_EQ(rectsOverlap(c.b, a), c.overlap) << c.b.left << " " << c.b.bottom;
  }
  EXPECT_TRUE(pointInRect({10, 20, 0}, Bounds{0, 10, 20, 5}));  // a corner is inside
  EXPECT_FALSE(pointInRect({-0.001f, 10, 0}, Bounds{0, 10, 20, 5}));
}

}  // namespace
}  // namespace vw
