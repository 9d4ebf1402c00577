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

}  // namespace
}  // namespace vw
