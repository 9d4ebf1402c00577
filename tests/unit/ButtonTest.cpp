// Buttons: pressing and releasing toggle the target, presses by the player
// and by boxes, and a second press in the same update.
#include <gtest/gtest.h>

#include "app/KeyCodes.h"

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "support/TestGame.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::TestWorld;

TEST(ButtonPress, ThePlayerPressesOnceThoughBothPassesSeeIt) {
  TestWorld w;
  auto& door = w.add<RisingDoor>(300, 100, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  auto& button = w.add<Btn>(0, 54, "BUTTONART", 60.0f, 10.0f, true, nullptr, &door);
  w.placePlayer(0, 100);
  CollisionScene scene = w.scene();
  collidePlayerWithElements(scene);
  collidePlayerWithElements(scene);  // the second pass of the same update
  EXPECT_TRUE(button.isActive());
  EXPECT_TRUE(button.isPressed());
  EXPECT_TRUE(door.isActive());  // toggled once, not twice
  // Stepped off: the pass clears pressed, and nothing presses it again.
  w.placePlayer(200, 100);
  collidePlayerWithElements(scene);
  EXPECT_FALSE(button.isPressed());
  EXPECT_TRUE(button.isActive());  // released only by the frame update's check
}

TEST(ButtonPress, ABoxPressesEvenFarFromTheCamera) {
  TestWorld w;
  auto& door = w.add<RisingDoor>(5300, 100, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  auto& button = w.add<Btn>(5000, 4, "BUTTONART", 60.0f, 10.0f, true, nullptr, &door);
  auto& box = w.add<MovingBlock>(5000, 30, "RUSTYBOX", 50.0f, 50.0f);
  CollisionScene scene = w.scene();
  collideBox(scene, box);
  EXPECT_TRUE(button.isPressed());
  EXPECT_TRUE(door.isActive());
  EXPECT_TRUE(box.getContacts().empty());  // a button is no ground
  // The player's pass does not reach it out there, so pressed stays set.
  collidePlayerWithElements(scene);
  EXPECT_TRUE(button.isPressed());
}

// A target that counts how often it is switched. It poses as a trap door,
// the one type no pass or update casts to its class, and stays out of reach.
class CountingTarget : public PuzzleElement {
 public:
  CountingTarget() : PuzzleElement(nullptr, nullptr) {
    type = PuzzleElementType::TrapDoor;
    init("", 10, 10);
    translate(0, 5000, 0);
  }
  std::unique_ptr<PuzzleElement> cloneElement() const override { return std::make_unique<CountingTarget>(*this); }
  void activate() override {
    ++switches;
    active = true;
  }
  void deactivate() override {
    ++switches;
    active = false;
  }
  int switches = 0;
};

// A box resting on a momentary button on flat ground, far from the player;
// the box comes before or after the button in the element list.
int switchesOverTenUpdates(bool boxFirst) {
  test::ScenarioGame s("flat");
  EXPECT_TRUE(s.started);
  auto counter = std::make_unique<CountingTarget>();
  CountingTarget& target = *counter;
  auto button = std::make_unique<Btn>("BUTTONART", 60.0f, 10.0f, true, nullptr, &target);
  test::moveTo(*button, 200, 55);
  auto box = std::make_unique<MovingBlock>("RUSTYBOX", 50.0f, 50.0f);
  test::moveTo(*box, 200, 75);
  ElementList& list = s.game.puzzleElements;
  list.push_back(std::move(counter));
  if (boxFirst) list.push_back(std::move(box));
  list.push_back(std::move(button));
  if (!boxFirst) list.push_back(std::move(box));
  s.step();  // the box presses the button
  EXPECT_TRUE(target.isActive());
  const int before = target.switches;
  s.run(10);
  EXPECT_TRUE(target.isActive());
  return target.switches - before;
}

TEST(ButtonRelease, ABoxEarlierInTheListHoldsAMomentaryButtonDown) { EXPECT_EQ(switchesOverTenUpdates(true), 0); }

TEST(ButtonRelease, ABoxLaterInTheListLetsItGoAndPressesItAgainEveryUpdate) {
  // Released by the frame update's check, pressed again by the box's own
  // pass: the target is switched twice in every update and ends as it was.
  EXPECT_EQ(switchesOverTenUpdates(false), 20);
}

TEST(ButtonRelease, ThePlayerSteppingOffReleasesItOnce) {
  test::ScenarioGame s("flat");
  auto counter = std::make_unique<CountingTarget>();
  CountingTarget& target = *counter;
  auto button = std::make_unique<Btn>("BUTTONART", 60.0f, 10.0f, true, nullptr, &target);
  test::moveTo(*button, -300, 55);  // under the player's start
  Btn& pressed = *button;
  s.game.puzzleElements.push_back(std::move(counter));
  s.game.puzzleElements.push_back(std::move(button));
  s.run(5);
  EXPECT_TRUE(pressed.isActive());
  EXPECT_EQ(target.switches, 1);
  s.devices.hold({Key::D});
  s.run(30);
  EXPECT_FALSE(pressed.isActive());
  EXPECT_EQ(pressed.getAnimation(), 0);
  EXPECT_EQ(target.switches, 2);
}

}  // namespace
}  // namespace vw
