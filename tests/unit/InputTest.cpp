#include <gtest/gtest.h>

#include "app/Input.h"
#include "app/KeyCodes.h"
#include "support/ScriptedDevices.h"

namespace vw {
namespace {

struct InputFixture : ::testing::Test {
  InputFixture() { input.setDevices(&devices); }
  test::ScriptedDevices devices;
  Input input;
  KeyArray held{};
};

TEST_F(InputFixture, KeyDownAtTheFirstPollIsHeldAndHeldIsZeroOrOne) {
  devices.hold({Key::D});
  ASSERT_TRUE(input.read(held));
  EXPECT_EQ(held[Key::D], 1);
  EXPECT_TRUE(input.isKeyDown(Key::D));
  input.read(held);
  EXPECT_EQ(held[Key::D], 1);
  devices.releaseAll();
  input.read(held);
  EXPECT_EQ(held[Key::D], 0);
}

TEST_F(InputFixture, LostPollsSeeNoChangeUntilTheDevicesAreBack) {
  devices.hold({Key::A});
  input.read(held);
  devices.keyboardResult = PollResult::Lost;
  devices.releaseAll();
  devices.hold({Key::D});
  EXPECT_TRUE(input.read(held));  // focus lost: re-acquire, snapshot unchanged
  EXPECT_EQ(held[Key::A], 1);
  EXPECT_EQ(held[Key::D], 0);
  EXPECT_EQ(devices.acquires, 1);
  devices.keyboardResult = PollResult::Ok;
  input.read(held);  // the real state: A released while away, D down
  EXPECT_EQ(held[Key::A], 0);
  EXPECT_EQ(held[Key::D], 1);
}

}  // namespace
}  // namespace vw
