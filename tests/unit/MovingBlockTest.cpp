// Moving boxes: gravity, friction, the speed limits, when a box may move,
// the pushes of the player and the spray, and the push-out.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/Collision.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/TrapDoor.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::ParticleList;
using test::TestWorld;

constexpr float kDt = 1.0f / 60.0f;

// A 50 x 50 box resting on a 100-wide block of the given state at the origin.
struct BoxOnBlock {
  TestWorld w;
  MapElement* block;
  MovingBlock* box;

  explicit BoxOnBlock(BlockState state) {
    block = &w.addBlock(0, 0, 100, 100, state);
    box = &w.add<MovingBlock>(0, 75, "RUSTYBOX", 50.0f, 50.0f);
  }
  void collide() {
    CollisionScene scene = w.scene();
    collideBox(scene, *box);
  }
};

// Water and ice push a box by 10 per particle that counts (ice every fifth);
// steam stops at it. Only ice under the box lets it slide, friction 5.25.
TEST(MovingBlockFriction, SprayPushesAndOnlyIceLetsTheBoxSlide) {
  struct Case {
    const char* what;
    BlockState ground;
    Power kind;
    int particles;
    float afterSpray, afterUpdate;
  };
  const Case cases[] = {
      {"water on plain ground", BlockState::Normal, Power::Water, 1, 10, 0},
      {"water on ice", BlockState::Frozen, Power::Water, 2, 20, 14.75f},
      {"ice pushes once per group", BlockState::Frozen, Power::Ice, 6, 40, 34.75f},
      {"steam stops without pushing", BlockState::Frozen, Power::Steam, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BoxOnBlock s(c.ground);
    s.collide();
    ParticleList list;
    for (int i = 0; i < c.particles; ++i) list.push_back(s.w.particle(c.kind, -20, 75, 600, 0));
    CollisionScene scene = s.w.scene();
    collideSpray(scene, list);
    EXPECT_TRUE(list[0].spent);
    EXPECT_FLOAT_EQ(s.box->getVelocity().x, c.afterSpray);
    s.box->update(kDt);
    EXPECT_FLOAT_EQ(s.box->getVelocity().x, c.afterUpdate);
    EXPECT_NEAR(s.box->getPosition().x, c.afterUpdate * kDt, 1e-5f);
  }
}

TEST(MovingBlockLimits, AFallingBoxReachesMinus400AndSidewaysSpeedsAreCutTo275) {
  TestWorld w;
  auto& box = w.add<MovingBlock>(0, 1000, "RUSTYBOX", 50.0f, 50.0f);
  box.setVelocity(Vec3(100, 0, 0));
  for (int i = 0; i < 60; ++i) box.update(kDt);
  EXPECT_EQ(box.getVelocity().y, -400.0f);
  EXPECT_EQ(box.getVelocity().x, 100.0f);
  EXPECT_FALSE(box.isOnGround());
  EXPECT_TRUE(box.isActive());
  // Shoves beyond 275 either way are cut to it.
  for (float shove : {500.0f, -300.0f}) {
    box.setVelocity(Vec3(shove, -400, 0));
    box.update(kDt);
    EXPECT_EQ(box.getVelocity().x, std::copysign(275.0f, shove));
  }
}

TEST(MovingBlockLimits, ABoxLandingOnADoorStandsStill) {
  TestWorld w;
  auto& trap = w.add<TrapDoor>(0, 0, "TRAPDOOR", 100.0f, 20.0f, 1.0f);
  auto& box = w.add<MovingBlock>(0, 74, "RUSTYBOX", 50.0f, 50.0f);  // 1 unit into the lid
  box.setVelocity(Vec3(50, -100, 0));
  CollisionScene scene = w.scene();
  collideBox(scene, box);
  ASSERT_EQ(box.getContacts().size(), 1u);
  EXPECT_EQ(box.getContacts()[0], &trap);
  box.update(kDt);
  EXPECT_FALSE(box.isActive());
  EXPECT_EQ(box.getVelocity(), Vec3(0));
  EXPECT_EQ(box.getPosition().y, 74.0f);
}

TEST(MovingBlockDoors, ABoxRunningIntoADoorsSideStopsDead) {
  TestWorld w;
  w.add<RisingDoor>(100, 100, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  auto& box = w.add<MovingBlock>(51, 100, "RUSTYBOX", 50.0f, 50.0f);  // right face 1 into the door
  box.setVelocity(Vec3(200, -150, 0));
  CollisionScene scene = w.scene();
  collideBox(scene, box);
  EXPECT_EQ(box.getVelocity(), Vec3(0));
  ASSERT_EQ(box.getContactTypes().size(), 1u);
  EXPECT_EQ(box.getContactTypes()[0], CollisionType::Side);
  box.resolveContacts();
  EXPECT_FLOAT_EQ(box.getBounds().right, 75.0f);
}

TEST(MovingBlockContacts, PushOutZeroesTheSpeedOfThatAxis) {
  BoxOnBlock s(BlockState::Frozen);
  test::moveTo(*s.box, 0, 70);  // 5 units into the block
  s.box->setVelocity(Vec3(30, -100, 0));
  s.collide();
  s.box->resolveContacts();
  EXPECT_EQ(s.box->getPosition().y, 75.0f);
  EXPECT_EQ(s.box->getVelocity(), Vec3(30, 0, 0));
  EXPECT_TRUE(s.box->getContacts().empty());
}

}  // namespace
}  // namespace vw
