// Rising doors (both modes) and trap doors (swing, bounds by state, faulty
// sizes).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "puzzle/RisingDoor.h"
#include "puzzle/TrapDoor.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

constexpr float kDt = 1.0f / 60.0f;

// Runs the door for the given seconds in steps of kDt.
void run(RisingDoor& door, float seconds) {
  const int steps = static_cast<int>(std::lround(seconds / kDt));
  for (int i = 0; i < steps; ++i) door.update(kDt);
}

std::unique_ptr<RisingDoor> placedDoor(DoorMode mode, float travel, float hold) {
  auto door = std::make_unique<RisingDoor>("RISINGDOOR", 50, 200, travel, hold, mode, nullptr);
  door->translate(0, 100, 0);
  return door;
}

TEST(RisingDoorActive, WaitsRisesWaitsAndFalls) {
  auto doorOwner = placedDoor(DoorMode::Active, 1, 2);
  RisingDoor& door = *doorOwner;
  run(door, 1.95f);
  EXPECT_EQ(door.getPosition().y, 100.0f);  // still closed
  run(door, 0.1f);
  EXPECT_GT(door.getPosition().y, 100.0f);  // rising
  run(door, 1.0f);
  EXPECT_EQ(door.getPosition().y, 300.0f);  // open after one second of travel
  run(door, 1.9f);
  EXPECT_EQ(door.getPosition().y, 300.0f);  // holds open
  run(door, 0.2f);
  EXPECT_LT(door.getPosition().y, 300.0f);  // falling
  run(door, 1.0f);
  EXPECT_EQ(door.getPosition().y, 100.0f);
  run(door, 1.9f);
  EXPECT_EQ(door.getPosition().y, 100.0f);
  run(door, 0.2f);
  EXPECT_GT(door.getPosition().y, 100.0f);  // and again
}

TEST(RisingDoorActive, SwitchedOffAtLoadItStartsNearlyOpenAndFalls) {
  auto doorOwner = placedDoor(DoorMode::Active, 1, 2);
  RisingDoor& door = *doorOwner;
  door.deactivate();
  door.update(kDt);
  EXPECT_NEAR(door.getPosition().y, 300.0f - 200.0f * kDt, 1e-3f);
  run(door, 1.0f);
  EXPECT_EQ(door.getPosition().y, 100.0f);
}

TEST(RisingDoorToggle, TurnsBackHalfWay) {
  auto doorOwner = placedDoor(DoorMode::Toggle, 1, 2);
  RisingDoor& door = *doorOwner;
  door.activate();
  run(door, 0.5f);
  EXPECT_NEAR(door.getPosition().y, 200.0f, 0.01f);
  door.deactivate();
  run(door, 0.25f);
  EXPECT_NEAR(door.getPosition().y, 150.0f, 0.01f);
  run(door, 1.0f);
  EXPECT_EQ(door.getPosition().y, 100.0f);
  run(door, 1.0f);
  EXPECT_EQ(door.getPosition().y, 100.0f);  // stays at the bottom
}

// A trap door as the loader sets it up, at (0, 0).
std::unique_ptr<TrapDoor> makeTrap(float facing = 1, float size = 100, float thickness = 20) {
  auto trap = std::make_unique<TrapDoor>("TRAPDOOR", size, thickness, facing);
  trap->setRows(3);
  trap->setColumns(13);
  trap->setFrameCount(2, 1);
  trap->setFrameCount(0, 1);
  trap->setFrameCount(1, 13);
  return trap;
}

// Draws and updates until the swing ends, at most 200 times; returns the
// frames of the swing row in the order they were shown.
std::vector<int> swing(TrapDoor& trap) {
  std::vector<int> frames;
  for (int i = 0; i < 200 && trap.getAnimation() == 1; ++i) {
    trap.update(kDt);
    if (trap.getAnimation() != 1) break;
    if (frames.empty() || frames.back() != trap.getFrame()) frames.push_back(trap.getFrame());
    trap.stepAnimation();
  }
  return frames;
}

TEST(TrapDoorBounds, ClosedLidIsASlabAlongTheTop) {
  auto trapOwner = makeTrap();
  TrapDoor& trap = *trapOwner;
  Bounds b = trap.updateBounds();
  EXPECT_EQ(b.left, -50.0f);
  EXPECT_EQ(b.right, 50.0f);
  EXPECT_EQ(b.top, 50.0f);
  EXPECT_EQ(b.bottom, 30.0f);
}

TEST(TrapDoorBounds, OpenLidHangsAlongItsHingeSide) {
  auto trapOwner = makeTrap(1);
  TrapDoor& trap = *trapOwner;
  test::moveTo(trap, 10, 20);
  trap.activate();
  swing(trap);
  ASSERT_EQ(trap.getAnimation(), 2);
  Bounds b = trap.getBounds();
  EXPECT_EQ(b.left, -40.0f);
  EXPECT_EQ(b.right, -20.0f);
  EXPECT_EQ(b.top, 70.0f);
  EXPECT_EQ(b.bottom, -30.0f);

  auto mirroredOwner = makeTrap(-3);  // the sign is what counts
  TrapDoor& mirrored = *mirroredOwner;
  EXPECT_EQ(mirrored.facing, -1.0f);
  mirrored.activate();
  swing(mirrored);
  b = mirrored.getBounds();
  EXPECT_EQ(b.left, 30.0f);
  EXPECT_EQ(b.right, 50.0f);

  auto unfacedOwner = makeTrap(0);
  TrapDoor& unfaced = *unfacedOwner;
  EXPECT_EQ(unfaced.facing, 0.0f);
  unfaced.activate();
  swing(unfaced);
  b = unfaced.getBounds();
  EXPECT_EQ(b.left, -50.0f);
  EXPECT_EQ(b.right, -30.0f);
}

TEST(TrapDoorSwing, OpensAtFrameElevenAndClosesAtFrameOne) {
  auto trapOwner = makeTrap();
  TrapDoor& trap = *trapOwner;
  trap.activate();
  EXPECT_EQ(trap.getAnimation(), 1);
  std::vector<int> opening = swing(trap);
  EXPECT_EQ(opening.front(), 0);
  EXPECT_EQ(opening.back(), 10);
  EXPECT_EQ(trap.getAnimation(), 2);
  trap.activate();  // already open: ignored
  EXPECT_EQ(trap.getAnimation(), 2);

  trap.deactivate();
  EXPECT_EQ(trap.getAnimation(), 1);
  EXPECT_EQ(trap.getFrame(), 12);
  std::vector<int> closing = swing(trap);
  EXPECT_EQ(closing.front(), 12);
  EXPECT_EQ(closing.back(), 2);
  EXPECT_EQ(trap.getAnimation(), 0);
  EXPECT_EQ(trap.getBounds().bottom, 30.0f);
}

TEST(TrapDoorThickness, NoThicknessOrNoSizeGivesFiniteBounds) {
  struct Case {
    float size, thickness;
  };
  for (Case c : {Case{100, 0}, Case{0, 0}, Case{0, 20},
                 Case{100, std::numeric_limits<float>::infinity()}}) {
    auto trapOwner = makeTrap(1, c.size, c.thickness);
    TrapDoor& trap = *trapOwner;
    for (int state = 0; state < 2; ++state) {
      Bounds b = trap.updateBounds();
      EXPECT_TRUE(std::isfinite(b.left) && std::isfinite(b.right) && std::isfinite(b.top) &&
                  std::isfinite(b.bottom))
          << c.size << " " << c.thickness;
      EXPECT_GE(b.top, b.bottom);
      EXPECT_GE(b.right, b.left);
      trap.activate();
      swing(trap);
    }
  }
  EXPECT_EQ(makeTrap(1, 100, 0)->getThickness(), 0.0f);
  EXPECT_EQ(makeTrap(1, 100, 200)->getThickness(), 200.0f);  // reaching below the picture
}

}  // namespace
}  // namespace vw
