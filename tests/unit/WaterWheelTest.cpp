// Water wheels: torque from each hit, the cap, the spin-down, the stop, and
// switching the target.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "physics/Collision.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::ParticleList;
using test::TestWorld;

constexpr float kDt = 1.0f / 60.0f;

struct WheelRig {
  RisingDoor door{"RISINGDOOR", 50, 200, 1, 1, DoorMode::Toggle, nullptr};
  WaterWheel wheel;

  explicit WheelRig(float spinDownTime, bool linked = true)
      : wheel("WATERWHEEL", 100, 100, linked ? &door : nullptr, spinDownTime) {
    wheel.translate(200, 300, 0);
    wheel.updateBounds();
  }
  // A particle 50 to the right of the centre moving straight up (or down).
  void hitRight(float vy) { wheel.hit(Vec3(250, 300, 0), Vec3(0, vy, 0)); }
  // Updates until the wheel stops; the number of updates, or -1 after limit.
  int updatesUntilStopped(int limit) {
    for (int i = 1; i <= limit; ++i) {
      wheel.update(kDt);
      if (!wheel.isActive()) return i;
    }
    return -1;
  }
};

TEST(WaterWheelHit, TorqueOfAHitFiftyToTheRight) {
  WheelRig rig(3);
  rig.hitRight(700);
  EXPECT_FLOAT_EQ(rig.wheel.getSpin(), 105000.0f);
  EXPECT_TRUE(rig.wheel.isActive());
  EXPECT_TRUE(rig.door.isActive());  // starting toggles the target
  rig.hitRight(-700);
  rig.hitRight(-700);
  EXPECT_FLOAT_EQ(rig.wheel.getSpin(), -105000.0f);
  EXPECT_FLOAT_EQ(rig.wheel.getSpinMagnitude(), 105000.0f);
  EXPECT_TRUE(rig.door.isActive());  // further hits switch nothing
}

TEST(WaterWheelHit, SpinIsCappedAndOppositeHitsSlowItAtOnce) {
  WheelRig rig(3);
  for (int i = 0; i < 12; ++i) rig.hitRight(700);
  EXPECT_EQ(rig.wheel.getSpin(), 1000000.0f);
  EXPECT_EQ(rig.wheel.getSpinMagnitude(), 1000000.0f);
  rig.hitRight(-700);
  EXPECT_FLOAT_EQ(rig.wheel.getSpin(), 895000.0f);
}

TEST(WaterWheelHit, AHitThroughTheCentreStartsAndStopsTheWheel) {
  WheelRig rig(3);
  rig.wheel.hit(Vec3(250, 300, 0), Vec3(-700, 0, 0));
  EXPECT_EQ(rig.wheel.getSpin(), 0.0f);
  EXPECT_TRUE(rig.wheel.isActive());
  EXPECT_TRUE(rig.door.isActive());
  rig.wheel.update(kDt);
  EXPECT_FALSE(rig.wheel.isActive());
  EXPECT_FALSE(rig.door.isActive());  // toggled back
}

TEST(WaterWheelSpinDown, AFullSpinStopsAfterTwoAndAHalfSeconds) {
  WheelRig rig(3);
  for (int i = 0; i < 10; ++i) rig.hitRight(700);
  ASSERT_EQ(rig.wheel.getSpinMagnitude(), 1000000.0f);
  // The update that follows the hits does not decay; 2.5 s of decay follow.
  int updates = rig.updatesUntilStopped(1000);
  EXPECT_NEAR((updates - 1) * kDt, 2.5f, 1.5f * kDt);
  EXPECT_EQ(rig.wheel.getSpin(), 0.0f);
  EXPECT_FALSE(rig.door.isActive());
}

TEST(WaterWheelSpinDown, AWheelUnderASteadyStreamNeverDecays) {
  WheelRig rig(3);
  for (int i = 0; i < 600; ++i) {
    rig.hitRight(700);
    rig.wheel.update(kDt);
  }
  EXPECT_EQ(rig.wheel.getSpinMagnitude(), 1000000.0f);
  EXPECT_TRUE(rig.door.isActive());
  EXPECT_EQ(rig.wheel.frameDelay, 0);  // full spin changes frame on every draw
}

TEST(WaterWheelFaults, NoUsableSpinDownTimeStopsTheWheelWhenTheWaterStops) {
  for (float spinDown : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    WheelRig rig(spinDown);
    rig.hitRight(700);
    rig.wheel.update(kDt);  // hit in this update: no decay yet
    EXPECT_TRUE(rig.wheel.isActive()) << spinDown;
    rig.wheel.update(kDt);
    EXPECT_FALSE(rig.wheel.isActive()) << spinDown;
    EXPECT_TRUE(std::isfinite(rig.wheel.getSpin()));
    rig.wheel.update(0);
    EXPECT_TRUE(std::isfinite(rig.wheel.getSpinMagnitude()));
  }
}

TEST(WaterWheelSpray, OnlyWaterTurnsItAndEveryKindStops) {
  TestWorld w;
  RisingDoor& door = w.add<RisingDoor>(300, 100, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle,
                                       nullptr);
  auto& wheel = w.add<WaterWheel>(0, 100, "WATERWHEEL", 100.0f, 100.0f, &door, 3.0f);
  door.setController(&wheel);
  ParticleList list;
  list.push_back(w.particle(Power::Steam, 40, 100, 0, 700));
  list.push_back(w.particle(Power::Ice, 40, 100, 0, 700));
  CollisionScene scene = w.scene();
  collideSpray(scene, list);
  EXPECT_TRUE(list[0].spent);
  EXPECT_TRUE(list[1].spent);
  EXPECT_FALSE(wheel.isActive());
  list.push_back(w.particle(Power::Water, 40, 100, 0, 700));
  collideSpray(scene, list);
  EXPECT_FLOAT_EQ(wheel.getSpin(), 3 * 40 * 700.0f);
  EXPECT_TRUE(list[2].spent);
  EXPECT_TRUE(door.isActive());
}

}  // namespace
}  // namespace vw
