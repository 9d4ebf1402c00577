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

// A rising door's height above its closed place over time: Active doors wait
// closed, rise, hold open and fall; a switch restarts the rise from the bottom
// (on) or the fall from the top (off); Toggle doors turn back where they are.
TEST(RisingDoor, HeightFollowsTheShareOfTheTravelTimeInBothModes) {
  struct Step {
    int sw;         // +1 switch on, -1 switch off, 0 nothing; before running
    float seconds;  // then run this long
    float low, high;  // the height afterwards lies in [low, high]
  };
  struct Case {
    const char* what;
    DoorMode mode;
    float travel, hold;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"active: waits, rises, holds, falls, again", DoorMode::Active, 1, 2,
       {{0, 1.95f, 0, 0}, {0, 0.1f, 1, 199}, {0, 1, 200, 200}, {0, 1.9f, 200, 200}, {0, 0.2f, 1, 199},
        {0, 1, 0, 0}, {0, 1.9f, 0, 0}, {0, 0.2f, 1, 199}}},
      {"active, off at load: starts nearly open and falls", DoorMode::Active, 1, 2,
       {{-1, kDt, 200 - 200 * kDt - 1e-3f, 200 - 200 * kDt + 1e-3f}, {0, 1, 0, 0}}},
      {"active, half of a two-second rise", DoorMode::Active, 2, 5, {{1, 1, 99.9f, 100.1f}}},
      {"active, open and switched on again: from the bottom", DoorMode::Active, 2, 5,
       {{1, 2.5f, 0, 200}, {1, kDt, 200 * kDt / 2 - 1e-3f, 200 * kDt / 2 + 1e-3f}}},
      {"toggle turns back half way and stays down", DoorMode::Toggle, 1, 2,
       {{1, 0.5f, 99.9f, 100.1f}, {-1, 0.25f, 49.9f, 50.1f}, {0, 1, 0, 0}, {0, 1, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestWorld w;
    auto& door = w.add<RisingDoor>(0, 100, "RISINGDOOR", 50.0f, 200.0f, c.travel, c.hold, c.mode, nullptr);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      if (s.sw > 0) door.activate();
      if (s.sw < 0) door.deactivate();
      for (int u = static_cast<int>(std::lround(s.seconds / kDt)); u > 0; --u) door.update(kDt);
      const float height = door.getPosition().y - 100;
      EXPECT_GE(height, s.low) << "step " << i;
      EXPECT_LE(height, s.high) << "step " << i;
    }
  }
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

// Closed, the lid is a slab along the top; open, it hangs along the hinge
// side (the sign of the facing picks the side).
TEST(TrapDoorBounds, ClosedAlongTheTopOpenAlongTheHinge) {
  struct Case {
    float facing;
    bool open;
    Bounds expected;
  };
  const Case cases[] = {
      {1, false, {-40, -40 + 100, 70, 50}},
      {1, true, {-40, -20, 70, -30}},
      {-3, true, {40, 60, 70, -30}},
      {0, true, {-40, -20, 70, -30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.facing) + (c.open ? " open" : " closed"));
    auto trap = makeTrap(c.facing);
    test::moveTo(*trap, 10, 20);
    if (c.open) {
      trap->activate();
      swing(*trap);
      ASSERT_EQ(trap->getAnimation(), 2);
    }
    const Bounds b = trap->getBounds();
    EXPECT_EQ(b.left, c.expected.left);
    EXPECT_EQ(b.right, c.expected.right);
    EXPECT_EQ(b.top, c.expected.top);
    EXPECT_EQ(b.bottom, c.expected.bottom);
  }
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
  EXPECT_EQ(trap.getFrame(), 12);
  std::vector<int> closing = swing(trap);
  EXPECT_EQ(closing.front(), 12);
  EXPECT_EQ(closing.back(), 2);
  EXPECT_EQ(trap.getAnimation(), 0);
  EXPECT_EQ(trap.getBounds().bottom, 30.0f);
}

TEST(TrapDoorThickness, NoThicknessOrNoSizeGivesFiniteBounds) {
  for (auto [size, thickness] : {std::pair{100.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 20.0f},
                                 {100.0f, std::numeric_limits<float>::infinity()}}) {
    auto trap = makeTrap(1, size, thickness);
    for (int state = 0; state < 2; ++state) {
      Bounds b = trap->updateBounds();
      EXPECT_TRUE(std::isfinite(b.left) && std::isfinite(b.right) && std::isfinite(b.top) && std::isfinite(b.bottom))
          << size << " " << thickness;
      EXPECT_GE(b.top, b.bottom);
      EXPECT_GE(b.right, b.left);
      trap->activate();
      swing(*trap);
    }
  }
  EXPECT_EQ(makeTrap(1, 100, 200)->getThickness(), 200.0f);  // reaching below the picture
}

}  // namespace
}  // namespace vw
