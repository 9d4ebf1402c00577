// Map blocks: the surface states with their textures and friction, and the
// timing of wetness, freezing and drying at one update per frame.
#include <gtest/gtest.h>

#include "support/TestWorld.h"
#include "world/MapElement.h"

namespace vw {
namespace {

// Updates until the block is no longer wet; the number of updates it took.
int updatesUntilDry(MapElement& block, int limit = 1000) {
  int n = 0;
  while (block.getState() == BlockState::Wet && n < limit) {
    block.update();
    ++n;
  }
  return n;
}

TEST(MapElement, AStateOutOfRangeIsPlainStone) {
  MapElement block("STONE", false, 100, 50);
  block.setState(BlockState::Frozen);
  block.setState(static_cast<BlockState>(7));
  EXPECT_EQ(block.getState(), BlockState::Normal);
  EXPECT_EQ(block.getTextureKey(), "STONE");
  EXPECT_FLOAT_EQ(block.getFriction(), kPlainFriction);
}

TEST(MapElement, WetBlockDriesAfter181Updates) {
  MapElement block("STONE", false, 100, 100);
  block.setState(BlockState::Wet);
  EXPECT_EQ(block.getWetCounter(), -1);
  for (int i = 0; i < 180; ++i) block.update();
  EXPECT_EQ(block.getState(), BlockState::Wet);
  block.update();
  EXPECT_EQ(block.getState(), BlockState::Normal);
  EXPECT_EQ(block.getTextureKey(), "STONE");
  EXPECT_FLOAT_EQ(block.getFriction(), kPlainFriction);
  EXPECT_EQ(block.getWetCounter(), 0);
  // The next watering starts from 0 again.
  block.setState(BlockState::Wet);
  EXPECT_EQ(updatesUntilDry(block), 181);
}

TEST(MapElement, LongFreezeKeepsTheNextWettingFor320Updates) {
  MapElement block("STONE", false, 100, 100);
  for (int i = 0; i < 500; ++i) block.setState(BlockState::Frozen);  // a stream of ice
  EXPECT_EQ(block.getWetCounter(), kWetCounterFloor);
  for (int i = 0; i < 1000; ++i) block.update();  // frozen blocks never thaw by themselves
  EXPECT_EQ(block.getState(), BlockState::Frozen);
  block.setState(BlockState::Normal);  // steam
  block.setState(BlockState::Wet);     // water
  EXPECT_EQ(block.getWetCounter(), kWetCounterFloor);
  EXPECT_EQ(updatesUntilDry(block), 320);
}

TEST(MapElement, FreezingAWetBlockStopsItsDrying) {
  MapElement block("STONE", false, 100, 100);
  block.setState(BlockState::Wet);
  for (int i = 0; i < 100; ++i) block.update();
  block.setState(BlockState::Frozen);
  const int counter = block.getWetCounter();
  for (int i = 0; i < 500; ++i) block.update();
  EXPECT_EQ(block.getState(), BlockState::Frozen);
  EXPECT_EQ(block.getWetCounter(), counter);
}

}  // namespace
}  // namespace vw
