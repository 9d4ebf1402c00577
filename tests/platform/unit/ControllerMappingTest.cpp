#include <gtest/gtest.h>

#include <cmath>

#include "app/KeyCodes.h"
#include "platform/ControllerMapping.h"

namespace vw {
namespace {

bool held(const ControllerInput& in, int key) { return in.keys[static_cast<std::size_t>(key)] == 0x80; }

int heldCount(const ControllerInput& in) {
  int n = 0;
  for (auto k : in.keys) n += k != 0;
  return n;
}

TEST(ControllerMapping, LeftStickAndDpadWalk) {
  ControllerState s;
  s.leftStick = Vec2(-0.9f, 0);
  EXPECT_TRUE(held(mapController(s), Key::A));
  EXPECT_FALSE(held(mapController(s), Key::D));
  s.leftStick = Vec2(0.9f, 0);
  EXPECT_TRUE(held(mapController(s), Key::D));
  // A small push inside the dead zone does not walk.
  s.leftStick = Vec2(0.2f, 0.1f);
  EXPECT_EQ(heldCount(mapController(s)), 0);
  // Up and down on the stick are not keys.
  s.leftStick = Vec2(0, -1);
  EXPECT_EQ(heldCount(mapController(s)), 0);
  s = ControllerState{};
  s.dpadLeft = true;
  EXPECT_TRUE(held(mapController(s), Key::A));
  s.dpadLeft = false;
  s.dpadRight = true;
  EXPECT_TRUE(held(mapController(s), Key::D));
}

TEST(ControllerMapping, ButtonsGiveTheirKeys) {
  ControllerState s;
  s.south = true;
  EXPECT_TRUE(held(mapController(s), Key::W));
  s = ControllerState{};
  s.leftShoulder = true;
  EXPECT_TRUE(held(mapController(s), Key::Q));
  s = ControllerState{};
  s.rightShoulder = true;
  EXPECT_TRUE(held(mapController(s), Key::Q));
  s = ControllerState{};
  s.start = true;
  EXPECT_TRUE(held(mapController(s), Key::P));
  s = ControllerState{};
  s.back = true;
  ControllerInput in = mapController(s);
  EXPECT_TRUE(held(in, Key::R));
  EXPECT_EQ(heldCount(in), 1);
}

TEST(ControllerMapping, TriggerSpraysAndRightStickAims) {
  ControllerState s;
  s.rightTrigger = 0.1f;
  EXPECT_FALSE(mapController(s).leftButton);
  s.rightTrigger = 0.8f;
  EXPECT_TRUE(mapController(s).leftButton);

  s.rightStick = Vec2(0.1f, 0.1f);  // inside the dead zone
  EXPECT_FALSE(mapController(s).aim);
  s.rightStick = Vec2(0.6f, -0.8f);  // up and to the right (y down)
  auto aim = mapController(s).aim;
  ASSERT_TRUE(aim);
  EXPECT_NEAR(aim->x, 0.6f, 1e-5f);
  EXPECT_NEAR(aim->y, -0.8f, 1e-5f);
  s.rightStick = Vec2(0, 0.5f);  // half way down still aims straight down
  aim = mapController(s).aim;
  ASSERT_TRUE(aim);
  EXPECT_NEAR(aim->y, 1.0f, 1e-5f);
}

}  // namespace
}  // namespace vw
