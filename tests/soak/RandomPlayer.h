#pragma once
// A seeded random player: input devices that make up their own keyboard and
// mouse, episode by episode. Mostly it walks right through the strip,
// jumping, floating and spraying every power at random aims; now and then it
// changes power, pauses, and restarts from the pause screen with R.
#include <cstdint>
#include <random>

#include "app/Game.h"

namespace vw::soak {

class RandomPlayer : public InputDevices {
 public:
  explicit RandomPlayer(std::uint32_t seed) : random_(seed) {}

  // Chooses the snapshot the next update reads, from the game as it is now.
  void next(const Game& game);

  PollResult pollKeyboard(KeyArray& out) override {
    out = keys_;
    return PollResult::Ok;
  }
  PollResult pollMouse(MouseState& mouse) override {
    mouse = MouseState{};
    mouse.buttons[0] = button_ ? 0x80 : 0;
    return PollResult::Ok;
  }
  Vec2 cursorPosition() const override { return cursor_; }
  Vec2 clientSize() const override { return Vec2(1000, 800); }

  int restarts() const { return restarts_; }
  int pauses() const { return pauses_; }

 private:
  void startEpisode();
  void onMenu();
  void onPause();
  int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void hold(int key) { keys_[static_cast<std::size_t>(key)] = 0x80; }

  std::mt19937 random_;
  KeyArray keys_{};
  bool button_ = false;
  Vec2 cursor_{500, 400};
  int left_ = 0;       // updates left in the current episode
  int pauseLeft_ = 0;  // updates left on the pause screen
  bool tapped_ = false;
  int restarts_ = 0;
  int pauses_ = 0;
};

}  // namespace vw::soak
