// The collision passes as a whole: contacts of the player, the spray's
// effect on blocks and elements, the every-fifth-particle rule, and the
// camera band.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

using test::ParticleList;
using test::TestWorld;

TEST(PlayerContacts, BlocksAndElementsOutsideTheCameraBandAreSkipped) {
  TestWorld w;
  w.cameraEye.x = -1000;  // the band runs from -1700 to -200
  w.addBlock(0, 0, 200, 100);
  w.add<TrapDoor>(0, 50, "TRAPDOOR", 100.0f, 20.0f, 1.0f);
  w.placePlayer(0, 100);
  CollisionScene scene = w.scene();
  collidePlayerWithBlocks(scene);
  collidePlayerWithElements(scene);
  EXPECT_TRUE(w.player.getContacts().empty());
}

TEST(SprayOnBlocks, GroupsAtTheEndsOfTheListFallBackToTheTestedParticle) {
  TestWorld w;
  w.addBlock(0, 0, 100, 100);
  ParticleList list = w.farParticles(Power::Steam, 7);
  list[0] = w.particle(Power::Steam, 0, 0);
  list[5] = w.particle(Power::Steam, 0, 0);
  CollisionScene scene = w.scene();
  collideSpray(scene, list);
  // Index 0 spends 0, 1, 2; index 5 of 7 spends 3 to 6.
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(list[i].spent) << i;

  ParticleList single;
  single.push_back(w.particle(Power::Ice, 0, 0));
  collideSpray(scene, single);  // a list of one: every neighbour is itself
  EXPECT_TRUE(single[0].spent);
}

TEST(SprayOnBlocks, SteamThawsIceAndLeavesWetAndPlainBlocksAlone) {
  TestWorld w;
  MapElement& frozen = w.addBlock(0, 0, 100, 100, BlockState::Frozen);
  MapElement& wet = w.addBlock(300, 0, 100, 100, BlockState::Wet);
  ParticleList list;
  list.push_back(w.particle(Power::Steam, 0, 0));
  list.push_back(w.particle(Power::Steam, 300, 0));  // index 1: never tested against blocks
  CollisionScene scene = w.scene();
  collideSpray(scene, list);
  EXPECT_EQ(frozen.getState(), BlockState::Normal);
  EXPECT_EQ(frozen.getTextureKey(), "STONE");
  EXPECT_EQ(wet.getState(), BlockState::Wet);

  ParticleList onWet;
  onWet.push_back(w.particle(Power::Steam, 300, 0));
  collideSpray(scene, onWet);
  EXPECT_EQ(wet.getState(), BlockState::Wet);
  EXPECT_TRUE(onWet[0].spent);  // stopped all the same
}

TEST(SprayOnBlocks, WaterWetsEveryBlockItTouchesButReachesNoElement) {
  TestWorld w;
  MapElement& left = w.addBlock(-50, 0, 100, 100);
  MapElement& right = w.addBlock(50, 0, 100, 100);
  auto& box = w.add<MovingBlock>(0, 60, "RUSTYBOX", 50.0f, 50.0f);
  box.activate();
  ParticleList list;
  list.push_back(w.particle(Power::Water, 0, 40, 600, 0, 20));  // touches both blocks and the box
  CollisionScene scene = w.scene();
  collideSpray(scene, list);
  EXPECT_EQ(left.getState(), BlockState::Wet);
  EXPECT_EQ(right.getState(), BlockState::Wet);
  EXPECT_EQ(left.getWetCounter(), -1);
  EXPECT_TRUE(list[0].spent);
  EXPECT_EQ(box.getVelocity().x, 0.0f);  // spent by the blocks before the element step
}

TEST(SprayOnBlocks, HeavyBlocksStopEverySprayAndNeverChange) {
  TestWorld w;
  MapElement& heavy = w.addBlock(0, 0, 100, 100, BlockState::Normal, true);
  for (Power kind : {Power::Water, Power::Ice, Power::Steam}) {
    ParticleList list;
    list.push_back(w.particle(kind, 0, 0));
    CollisionScene scene = w.scene();
    collideSpray(scene, list);
    EXPECT_TRUE(list[0].spent);
    EXPECT_EQ(heavy.getState(), BlockState::Normal);
    EXPECT_EQ(heavy.getTextureKey(), "HEAVYBOX");
  }
}

TEST(SprayOnElements, ParticlesPassButtonsAndJets) {
  TestWorld w;
  Btn& button = w.add<Btn>(0, 0, "BUTTONART", 100.0f, 100.0f, false, nullptr, nullptr);
  Steamjet& jet = w.add<Steamjet>(300, -100, "STONE2", 50.0f, 50.0f, 100.0f, 300.0f, Vec3(0, 30, 0), w.random);
  for (Power kind : {Power::Water, Power::Ice, Power::Steam}) {
    ParticleList list;
    list.push_back(w.particle(kind, 0, 0));
    list.push_back(w.particle(kind, 300, 50));
    CollisionScene scene = w.scene();
    collideSpray(scene, list);
    EXPECT_FALSE(list[0].spent);
    EXPECT_FALSE(list[1].spent);
  }
  EXPECT_FALSE(button.isActive());
  EXPECT_FALSE(button.isPressed());
  EXPECT_FALSE(jet.isActive());
}

TEST(SprayOnElements, DoorsStopWaterAndSteamAndEveryFifthIceGroup) {
  TestWorld w;
  w.add<RisingDoor>(0, 0, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  ParticleList list;
  list.push_back(w.particle(Power::Water, 0, 0));
  list.push_back(w.particle(Power::Steam, 0, 0));
  list.push_back(w.particle(Power::Ice, 0, 0));  // index 2: passes
  CollisionScene scene = w.scene();
  collideSpray(scene, list);
  EXPECT_TRUE(list[0].spent);
  EXPECT_TRUE(list[1].spent);
  EXPECT_FALSE(list[2].spent);

  ParticleList ice = w.farParticles(Power::Ice, 6);
  ice[5] = w.particle(Power::Ice, 0, 0);
  collideSpray(scene, ice);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ice[i].spent, i >= 3) << i;
}

}  // namespace
}  // namespace vw
