// The collision passes as a whole: contacts of the player, the spray's
// effect on blocks and elements, the every-fifth-particle rule, and the
// camera band.
#include <gtest/gtest.h>

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/TestGame.h"
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

// One particle (the first of its list, so it is tested) on one block.
TEST(SprayOnBlocks, WhatEachSprayDoesToEachBlock) {
  struct Case {
    BlockState before;
    bool heavy;
    Power kind;
    BlockState after;
    const char* texture;
  };
  const Case cases[] = {
      {BlockState::Frozen, false, Power::Steam, BlockState::Normal, "STONE"},
      {BlockState::Wet, false, Power::Steam, BlockState::Wet, "WETBLOCK"},
      {BlockState::Normal, false, Power::Water, BlockState::Wet, "WETBLOCK"},
      {BlockState::Normal, true, Power::Water, BlockState::Normal, "HEAVYBOX"},
      {BlockState::Normal, true, Power::Ice, BlockState::Normal, "HEAVYBOX"},
      {BlockState::Normal, true, Power::Steam, BlockState::Normal, "HEAVYBOX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + " on " + c.texture);
    TestWorld w;
    MapElement& block = w.addBlock(0, 0, 100, 100, c.before, c.heavy);
    ParticleList list;
    list.push_back(w.particle(c.kind, 0, 0));
    CollisionScene scene = w.scene();
    collideSpray(scene, list);
    EXPECT_TRUE(list[0].spent);  // every block stops every spray
    EXPECT_EQ(block.getState(), c.after);
    EXPECT_EQ(block.getTextureKey(), c.texture);
  }
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
  EXPECT_EQ(box.getVelocity().x, 0.0f);  // spent by the blocks before the element step
}

// Buttons and jets let every spray through and are not switched by it;
// doors stop water and steam, and ice only at its tested particles.
TEST(SprayOnElements, ButtonsAndJetsLetSprayPassDoorsStopIt) {
  TestWorld w;
  Btn& button = w.add<Btn>(0, 0, "BUTTONART", 100.0f, 100.0f, false, nullptr, nullptr);
  Steamjet& jet = w.add<Steamjet>(300, -100, "STONE2", 50.0f, 50.0f, 100.0f, 300.0f, Vec3(0, 30, 0), w.random);
  w.add<RisingDoor>(600, 0, "RISINGDOOR", 50.0f, 200.0f, 1.0f, 1.0f, DoorMode::Toggle, nullptr);
  struct Case {
    float x, y;
    Power kind;
    std::size_t index;  // where in a list of 6 far particles
    bool spent;
  };
  const Case cases[] = {
      {0, 0, Power::Water, 0, false}, {0, 0, Power::Ice, 0, false},   {0, 0, Power::Steam, 0, false},
      {300, 50, Power::Water, 0, false}, {300, 50, Power::Steam, 0, false}, {600, 0, Power::Water, 1, true},
      {600, 0, Power::Steam, 1, true}, {600, 0, Power::Ice, 2, false},  {600, 0, Power::Ice, 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + " kind " + std::to_string(static_cast<int>(c.kind)) + " at " +
                 std::to_string(c.index));
    ParticleList list = w.farParticles(c.kind, 6);
    list[c.index] = w.particle(c.kind, c.x, c.y);
    CollisionScene scene = w.scene();
    collideSpray(scene, list);
    EXPECT_EQ(list[c.index].spent, c.spent);
  }
  EXPECT_FALSE(button.isActive());
  EXPECT_FALSE(button.isPressed());
  EXPECT_FALSE(jet.isActive());
}

// The band puzzle: each element twice, once near the start (the camera stays
// near x -250) and once 5000 further on.
TEST(CameraBand, OnlyElementsNearTheCameraAreUpdated) {
  test::ScenarioGame s("band");
  ASSERT_TRUE(s.started);
  ASSERT_EQ(s.game.puzzleElements.size(), 8u);
  struct Pair {
    std::size_t near, far;
  };
  const Pair doors{0, 1}, lids{2, 3}, jets{4, 5}, wheels{6, 7};
  const float doorY = s.element<RisingDoor>(doors.far).getPosition().y;
  for (std::size_t w : {wheels.near, wheels.far}) {
    auto& wheel = s.element<WaterWheel>(w);
    wheel.hit(wheel.getPosition() + Vec3(50, 0, 0), Vec3(0, 700, 0));
  }
  const float spin = s.element<WaterWheel>(wheels.far).getSpin();
  s.run(90);

  EXPECT_NE(s.element<RisingDoor>(doors.near).getPosition().y, doorY);  // falling from open
  EXPECT_EQ(s.element<RisingDoor>(doors.far).getPosition().y, doorY);
  EXPECT_EQ(s.element<TrapDoor>(lids.near).getAnimation(), 2);  // swung open
  EXPECT_NE(s.element<TrapDoor>(lids.far).getAnimation(), 2);
  EXPECT_GT(s.element<Steamjet>(jets.near).getEmitter().count(), 0u);
  EXPECT_EQ(s.element<Steamjet>(jets.far).getEmitter().count(), 0u);
  EXPECT_FALSE(s.element<WaterWheel>(wheels.near).isActive());  // spun down and stopped
  EXPECT_TRUE(s.element<WaterWheel>(wheels.far).isActive());
  EXPECT_EQ(s.element<WaterWheel>(wheels.far).getSpin(), spin);
}

TEST(CameraBand, AButtonStraddlingTheEdgeKeepsItsPressAndAWideBlockStillCarries) {
  test::TestWorld w;  // the camera at x 0: the band runs from -700 to 800
  Btn& button = w.add<Btn>(820, 55, "BUTTONART", 60.0f, 10.0f, true, nullptr, nullptr);
  button.setPressed(true);
  w.addBlock(2000, 0, 3000, 100);  // from 500 to 3500, centre far off
  w.placePlayer(600, 100);
  CollisionScene scene = w.scene();
  collidePlayerWithElements(scene);
  EXPECT_TRUE(button.isPressed());
  collidePlayerWithBlocks(scene);
  ASSERT_EQ(w.player.getContactTypes().size(), 1u);
  EXPECT_EQ(w.player.getContactTypes()[0], CollisionType::Top);
}

}  // namespace
}  // namespace vw
