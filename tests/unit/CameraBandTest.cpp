// Doors, trap doors, steam jets and water wheels run only near the camera:
// the same elements far down the strip stand still until the player comes.
// Puzzle elements are near by their centre alone; map blocks also when their
// bounds reach into the band.
#include <gtest/gtest.h>

#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "support/TestGame.h"
#include "support/TestWorld.h"

namespace vw {
namespace {

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
