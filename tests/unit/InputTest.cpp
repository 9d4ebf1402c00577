#include <gtest/gtest.h>

#include "app/Input.h"
#include "app/KeyCodes.h"
#include "support/ScriptedDevices.h"

namespace vw {
namespace {

// A key down at the first poll is held (as 1); a lost poll re-acquires the
// devices and keeps the last snapshot until a good poll gives the real state.
TEST(Input, KeysAreHeldFromTheFirstPollAndLostPollsSeeNoChange) {
  test::ScriptedDevices devices;
  Input input;
  input.setDevices(&devices);
  KeyArray held{};
  devices.hold({Key::A});
  ASSERT_TRUE(input.read(held));
  EXPECT_EQ(held[Key::A], 1);
  EXPECT_TRUE(input.isKeyDown(Key::A));
  devices.keyboardResult = PollResult::Lost;
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
