// What the game is heard doing: a real game on a small puzzle, driven by
// scripted input, with the sound observer looking after every update.
#include <gtest/gtest.h>

#include <algorithm>

#include "audio/SoundEvents.h"
#include "puzzle/RisingDoor.h"
#include "support/TestGame.h"

namespace vw::test {
namespace {

// The puzzle (tests/data/sound): a floor of six blocks; a toggle door (element 0)
// switched by a momentary button (element 2) the player reaches walking
// right; a trap door (1) high up, opened for good by a button (3) on the way.
constexpr std::size_t kDoor = 0;
constexpr std::size_t kTrapDoor = 1;
constexpr std::size_t kDoorButton = 2;
constexpr std::size_t kTrapButton = 3;

class SoundEventsTest : public GameFixture {
 protected:
  SoundEventsTest() : GameFixture("sound") { listen(); }

  // n updates, each drawn and listened to.
  void listen(int n = 1) {
    for (int i = 0; i < n; ++i) {
      run();
      std::vector<SoundEvent> events = sounds.observe(game);
      heard.insert(heard.end(), events.begin(), events.end());
      last = std::move(events);
    }
  }
  // Updates until the condition holds (at most `limit`); false if it never did.
  template <typename Condition>
  bool listenUntil(Condition done, int limit = 600) {
    for (int i = 0; i < limit && !done(); ++i) listen();
    return done();
  }

  std::size_t count(SoundEventType type, std::size_t index) const {
    return static_cast<std::size_t>(std::count_if(
        heard.begin(), heard.end(), [&](const SoundEvent& e) { return e.type == type && e.index == index; }));
  }
  const SoundEvent* lastLoop(SoundEventType type, std::size_t index) const {
    for (const SoundEvent& e : last) {
      if (e.type == type && e.index == index) return &e;
    }
    return nullptr;
  }

  SoundEvents sounds;
  std::vector<SoundEvent> heard;
  std::vector<SoundEvent> last;
};

TEST_F(SoundEventsTest, ButtonsAndDoorsAreHeardOncePerChange) {
  startPlaying();
  ASSERT_TRUE(listenUntil([&] { return game.player->isOnGround(); }));  // dropped onto the floor
  listen(5);
  heard.clear();
  devices.press(Key::D);
  ASSERT_TRUE(listenUntil([&] { return game.puzzleElements[kDoorButton]->isActive(); }));
  devices.release(Key::D);
  listen();
  EXPECT_EQ(count(SoundEventType::ButtonPressed, kTrapButton), 1u);  // passed on the way
  EXPECT_EQ(count(SoundEventType::ButtonPressed, kDoorButton), 1u);
  EXPECT_EQ(count(SoundEventType::DoorStarted, kDoor), 1u);
  EXPECT_EQ(count(SoundEventType::TrapDoorSwing, kTrapDoor), 1u);
  ASSERT_NE(lastLoop(SoundEventType::DoorLoop, kDoor), nullptr);
  EXPECT_GT(lastLoop(SoundEventType::DoorLoop, kDoor)->gain, 0.0f);

  // Standing on the button: the door rises to the top and stops there.
  const auto& door = static_cast<const RisingDoor&>(*game.puzzleElements[kDoor]);
  ASSERT_TRUE(listenUntil([&] { return door.getProgress() >= door.getTravelTime(); }));
  listen(3);
  EXPECT_EQ(count(SoundEventType::DoorStopped, kDoor), 1u);
  EXPECT_EQ(lastLoop(SoundEventType::DoorLoop, kDoor)->gain, 0.0f);
  EXPECT_EQ(count(SoundEventType::ButtonPressed, kDoorButton), 1u);  // not again every update
  EXPECT_EQ(count(SoundEventType::TrapDoorSettled, kTrapDoor), 1u);

  // Stepping off: the momentary button springs back and the door sinks.
  devices.press(Key::A);
  ASSERT_TRUE(listenUntil([&] { return !game.puzzleElements[kDoorButton]->isActive(); }));
  devices.release(Key::A);
  listen(3);
  EXPECT_EQ(count(SoundEventType::ButtonReleased, kDoorButton), 1u);
  EXPECT_EQ(count(SoundEventType::DoorStarted, kDoor), 2u);
  EXPECT_EQ(count(SoundEventType::ButtonReleased, kTrapButton), 0u);  // it stays down
}

}  // namespace
}  // namespace vw::test
