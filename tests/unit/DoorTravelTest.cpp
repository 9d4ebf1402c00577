// A rising door's travel: its height follows the share of its travel time
// gone, and switching an Active-mode door on starts the rise from the bottom
// wherever the door stood.
#include <gtest/gtest.h>

#include "puzzle/RisingDoor.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

constexpr float kDt = 1.0f / 60.0f;

TEST(RisingDoorTravel, HeightIsTheShareOfTheTravelTimeAndActivateRisesFromTheBottom) {
  struct Case {
    const char* what;
    int updatesBefore;  // rising from closed before the switch
    bool switchOn;
    int updatesAfter;
    float height;       // above the closed place
  };
  const Case cases[] = {
      {"half of a two-second rise", 60, false, 0, 100},
      {"open, switched on again", 150, true, 1, 200 * kDt / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestWorld w;
    auto& door = w.add<RisingDoor>(0, 100, "RISINGDOOR", 50.0f, 100.0f, 2.0f, 5.0f, DoorMode::Active, nullptr);
    door.activate();
    for (int i = 0; i < c.updatesBefore; ++i) door.update(kDt);
    if (c.switchOn) door.activate();
    for (int i = 0; i < c.updatesAfter; ++i) door.update(kDt);
    EXPECT_NEAR(door.getPosition().y - 100, c.height, 1e-3f);
  }
}

}  // namespace
}  // namespace vw
