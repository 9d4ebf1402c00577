// Whole-game runs on small puzzle files: the mechanisms working together
// through the frame update, the collision passes, the player and the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/KeyCodes.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/TestGame.h"

namespace vw {
namespace {

using test::ScenarioGame;

// Loads the named scenario and checks that its puzzle files were read
// cleanly (the scenarios have no pictures: their texture list is empty).
void expectLoaded(const ScenarioGame& s) {
  ASSERT_TRUE(s.started);
  for (const Diagnostic& d : s.diagnostics.all()) {
    if (d.file != kTextureListFile) ADD_FAILURE() << d.format();
  }
}

// Where to aim so that a water drop thrown at 700 from the player meets the
// point: above it by the drop's fall over the distance.
Vec3 waterAim(ScenarioGame& s, Vec3 point) {
  const float t = (point.x - s.player().getPosition().x) / 700.0f;
  return Vec3(point.x, point.y + 0.5f * 875.0f * t * t, 0);
}

TEST(Scenario, WaterOnAWheelOpensAToggleDoorThatClosesWhenTheSprayStops) {
  ScenarioGame s("wheel-door");
  expectLoaded(s);
  auto& door = s.element<RisingDoor>(0);
  auto& wheel = s.element<WaterWheel>(1);
  ASSERT_EQ(door.getPosition().y, 150.0f);

  s.devices.button = true;
  for (int i = 0; i < 60; ++i) {
    s.aimAt(s.player().getPosition() + Vec3(300, 0, 0));
    s.step();
  }
  EXPECT_TRUE(wheel.isActive());
  EXPECT_GT(wheel.getSpin(), 0.0f);  // drops strike below the centre from the left
  EXPECT_TRUE(door.isActive());
  EXPECT_GT(door.getPosition().y, 250.0f);

  s.devices.button = false;
  int stoppedAfter = -1;
  for (int i = 1; i <= 120 && stoppedAfter < 0; ++i) {
    s.step();
    if (!wheel.isActive()) stoppedAfter = i;
  }
  // Spin-down 1 s: from at most the cap to 10 in five sixths of a second.
  ASSERT_GT(stoppedAfter, 0);
  EXPECT_LE(stoppedAfter, 65);
  EXPECT_FALSE(door.isActive());
  s.run(90);
  EXPECT_EQ(door.getPosition().y, 150.0f);
}

TEST(Scenario, ABoxOnIceShovedByWaterStopsOnStoneAndHoldsAButtonDown) {
  ScenarioGame s("ice-box");
  expectLoaded(s);
  auto& door = s.element<RisingDoor>(0);
  auto& box = s.element<MovingBlock>(1);
  auto& button = s.element<Btn>(2);
  ASSERT_TRUE(button.isMomentary());

  s.devices.button = true;
  float fastest = 0;
  for (int i = 0; i < 240 && !button.isActive(); ++i) {
    s.aimAt(waterAim(s, box.getPosition() + Vec3(0, 10, 0)));
    s.step();
    fastest = std::max(fastest, box.getVelocity().x);
  }
  ASSERT_TRUE(button.isActive());
  EXPECT_GT(fastest, 200.0f);  // it slid
  s.devices.button = false;
  s.run(60);
  // Stone's share of the friction stopped it where it reached the stone.
  const float restX = box.getPosition().x;
  s.run(120);
  EXPECT_EQ(box.getPosition().x, restX);
  EXPECT_EQ(box.getVelocity(), Vec3(0));
  EXPECT_GT(box.getBounds().right, 100.0f);  // the stone starts at x 100
  EXPECT_EQ(box.getPosition().y, 65.0f);
  // The box comes before the button in the list, so the button stays down
  // while the player is far away.
  EXPECT_TRUE(button.isActive());
  EXPECT_TRUE(door.isActive());
}

TEST(Scenario, IceFreezesSteamThawsWaterWetsAndTheBlockDries) {
  ScenarioGame s("block-states");
  expectLoaded(s);
  MapElement& wall = *s.game.mapElements[1];
  const Vec3 wallPoint(-200, 120, 0);

  auto sprayUntil = [&](MapElement& block, BlockState state, Vec3 at) {
    s.devices.button = true;
    int updates = 0;
    while (block.getState() != state && updates < 120) {
      s.aimAt(at);
      s.step();
      ++updates;
    }
    s.devices.button = false;
    return block.getState() == state;
  };

  s.choose(Key::Three);
  ASSERT_EQ(s.player().getPower(), Power::Ice);
  ASSERT_TRUE(sprayUntil(wall, BlockState::Frozen, wallPoint));
  EXPECT_EQ(wall.getTextureKey(), "ICEBLOCK");
  s.run(40);  // the last shards die out
  s.choose(Key::Two);
  ASSERT_TRUE(sprayUntil(wall, BlockState::Normal, wallPoint));
  EXPECT_EQ(wall.getTextureKey(), "STONE");
  s.run(40);
  s.choose(Key::One);
  ASSERT_TRUE(sprayUntil(wall, BlockState::Wet, wallPoint));
  // The frozen spell lowered the counter, so the wall stays wet longer than
  // a fresh block, but it dries.
  int wetFor = 1;
  while (wall.getState() == BlockState::Wet && wetFor < 1000) {
    s.step();
    ++wetFor;
  }
  EXPECT_EQ(wall.getState(), BlockState::Normal);
  EXPECT_GT(wetFor, 181);

}

TEST(Scenario, ASteamJetLiftsThePlayerOntoALedge) {
  ScenarioGame s("jet-lift");
  expectLoaded(s);
  auto& jet = s.element<Steamjet>(0);
  ASSERT_TRUE(jet.isActive());
  // Walk right into the column and let go of D once above the ledge.
  s.devices.hold({Key::D});
  float highest = 0;
  for (int i = 0; i < 300; ++i) {
    if (s.player().getPosition().x > 60.0f) s.devices.releaseAll();
    s.step();
    highest = std::max(highest, s.player().getPosition().y);
  }
  EXPECT_GT(highest, 350.0f);  // the column carried it above the ledge
  EXPECT_TRUE(s.player().isOnGround());
  EXPECT_EQ(s.player().getBounds().bottom, 250.0f);  // standing on the ledge's top
  EXPECT_GT(s.player().getPosition().x, 50.0f);
  EXPECT_LT(s.player().getPosition().x, 650.0f);
}

TEST(Scenario, ABoxInAJetsColumnKeepsItOffUntilWaterPushesItAway) {
  ScenarioGame s("jet-box");
  expectLoaded(s);
  auto& jet = s.element<Steamjet>(0);
  auto& box = s.element<MovingBlock>(1);
  s.run(5);
  EXPECT_FALSE(jet.isActive());
  EXPECT_EQ(jet.getLift(), Vec3(0));
  EXPECT_FALSE(jet.getEmitter().isEmitting());

  s.devices.button = true;
  int updates = 0;
  while (!jet.isActive() && updates < 240) {
    s.aimAt(waterAim(s, box.getPosition()));
    s.step();
    ++updates;
  }
  s.devices.button = false;
  ASSERT_TRUE(jet.isActive());
  EXPECT_GT(box.getBounds().left, 50.0f);  // out of the column
  EXPECT_EQ(jet.getLift(), Vec3(0, 30, 0));
  s.run(5);
  EXPECT_GT(jet.getEmitter().count(), 0u);
}

TEST(Scenario, ATrapDoorOpensUnderThePlayerWhoFallsThrough) {
  ScenarioGame s("trap-door");
  expectLoaded(s);
  auto& trap = s.element<TrapDoor>(0);
  ASSERT_TRUE(trap.isActive());  // initial 0: opening from the start
  int supported = 0;
  while (trap.getAnimation() != 2 && supported < 100) {
    s.step();
    if (s.player().getPosition().y == 100.0f) ++supported;
  }
  ASSERT_EQ(trap.getAnimation(), 2);
  // The swing keeps the closed lid under the player until it is open.
  EXPECT_GE(supported, 30);
  s.run(120);
  EXPECT_EQ(s.player().getBounds().bottom, -400.0f);  // on the floor under the pit
  EXPECT_TRUE(s.player().isOnGround());
}

TEST(Scenario, ABoxFarFromTheCameraStillStandsOnItsBlock) {
  // Nothing near the camera ever looks at the far block; the box on it must not fall through.
  ScenarioGame s("far-box");
  ASSERT_TRUE(s.started);
  auto& box = s.element<MovingBlock>(0);
  const float y = box.getPosition().y;
  ASSERT_GT(box.getPosition().x - s.game.cameraEye.x, 3000.0f);
  s.run(60);
  EXPECT_EQ(box.getPosition().y, y);
}

}  // namespace
}  // namespace vw
