#include <gtest/gtest.h>

#include "app/KeyCodes.h"
#include "platform/ControllerMapping.h"

namespace vw {
namespace {

// The left stick beyond its dead zone and the d-pad walk (A, D); up and down walk nowhere.
TEST(ControllerMapping, LeftStickAndDpadWalk) {
  struct Case {
    const char* what;
    Vec2 stick;
    bool left, right;
    int key;  // the one key held, or -1 for none
  };
  const Case cases[] = {
      {"stick left", {-0.9f, 0}, false, false, Key::A},   {"stick right", {0.9f, 0}, false, false, Key::D},
      {"inside the dead zone", {0.2f, 0.1f}, false, false, -1}, {"stick up", {0, -1}, false, false, -1},
      {"d-pad left", {0, 0}, true, false, Key::A},        {"d-pad right", {0, 0}, false, true, Key::D},
  };
  for (const Case& c : cases) {
    ControllerState s;
    s.leftStick = c.stick;
    s.dpadLeft = c.left;
    s.dpadRight = c.right;
    const ControllerInput in = mapController(s);
    int held = 0;
    for (auto k : in.keys) held += k != 0;
    EXPECT_EQ(held, c.key < 0 ? 0 : 1) << c.what;
    if (c.key >= 0) {
      EXPECT_EQ(in.keys[static_cast<std::size_t>(c.key)], 0x80) << c.what;
    }
  }
}

}  // namespace
}  // namespace vw
