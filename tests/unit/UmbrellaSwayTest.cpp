// The open umbrella's sway plays through its frames.
#include <gtest/gtest.h>

#include <set>

#include "app/KeyCodes.h"
#include "support/TestGame.h"

namespace vw {
namespace {

TEST(UmbrellaSway, PlaysThroughItsFramesWhileFalling) {
  struct Case {
    const char* name;
    std::initializer_list<int> keys;
  };
  const Case cases[] = {{"W held", {Key::W}}, {"W and D held", {Key::W, Key::D}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScenarioGame s("flat");
    ASSERT_TRUE(s.started);
    const Vec3 p = s.player().getPosition();
    s.player().translate(0, 2000 - p.y, 0);  // high above the floor
    s.devices.hold(c.keys);
    std::set<int> frames;
    for (int i = 0; i < 24; ++i) {
      s.step();
      ASSERT_EQ(s.player().getAnimation(), 1) << "update " << i;
      frames.insert(s.player().getFrame());
    }
    EXPECT_GE(frames.size(), 12u);
  }
}

}  // namespace
}  // namespace vw
