// Steam jets: the column, the lift, the emitter, and the rule that keeps a
// jet off while something stands in its column.
#include <gtest/gtest.h>

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::TestWorld;

Steamjet& addJet(TestWorld& w, float x, float y) {
  return w.add<Steamjet>(x, y, "STONE2", 40.0f, 30.0f, 100.0f, 300.0f, Vec3(0, 30, 0), w.random);
}

TEST(SteamjetColumn, BoundsAreTheSteamColumnNotThePicture) {
  TestWorld w;
  Steamjet& jet = addJet(w, 20, -100);
  Bounds b = jet.updateBounds();
  EXPECT_EQ(b.left, -30.0f);
  EXPECT_EQ(b.right, 70.0f);
  EXPECT_EQ(b.top, 200.0f);
  EXPECT_EQ(b.bottom, -100.0f);
}

TEST(SteamjetLift, ThePlayerGainsTheLiftInEachPassAndRisesOneUnit) {
  TestWorld w;
  Steamjet& jet = addJet(w, 0, 0);
  jet.activate();
  w.placePlayer(0, 100);
  w.player.setVelocity(5, -100, 0);
  CollisionScene scene = w.scene();
  collidePlayerWithElements(scene);
  collidePlayerWithElements(scene);
  EXPECT_EQ(w.player.getVelocity(), Vec3(5, -40, 0));
  EXPECT_EQ(w.player.getPosition().y, 102.0f);

  jet.deactivate();
  collidePlayerWithElements(scene);
  EXPECT_EQ(w.player.getVelocity(), Vec3(5, -40, 0));  // no lift from a jet that is off
  EXPECT_EQ(w.player.getPosition().y, 103.0f);         // but still the one unit
}

TEST(SteamjetBlocking, AControlledJetComesBackOnlyWhileItsControllerIsOn) {
  TestWorld w;
  Steamjet& jet = addJet(w, 0, 0);
  Btn& button = w.add<Btn>(500, 0, "BUTTONART", 60.0f, 10.0f, true, nullptr, &jet);
  jet.setController(&button);
  jet.deactivate();
  CollisionScene scene = w.scene();
  checkSteamjet(scene, jet);
  EXPECT_FALSE(jet.isActive());  // the button is up
  button.activate();             // switches the jet on itself
  EXPECT_TRUE(jet.isActive());
  jet.deactivate();  // as a box in the column would
  checkSteamjet(scene, jet);
  EXPECT_TRUE(jet.isActive());  // the controller is on, so it comes back
}

}  // namespace
}  // namespace vw
