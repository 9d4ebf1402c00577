#pragma once
// A seeded random player: input devices that make up their own keyboard and
// mouse. It plays in lives: each life starts on the title menu, follows the
// campaign walkthrough (when there is one) for a random number of updates,
// so every part of the strip gets its share, and then plays at random:
// walking mostly right, jumping, floating, spraying every power at random
// aims, changing power, pausing; it ends the life with P and R (or restarts
// earlier on its own). Every input is one a player could give: nothing is
// moved by hand.
#include <cstdint>
#include <memory>
#include <optional>
#include <random>

#include "app/Game.h"
#include "app/InputScript.h"

namespace vw::soak {

class RandomPlayer : public InputDevices {
 public:
  RandomPlayer(std::uint32_t seed, std::optional<InputScript> walkthrough);

  // Chooses the snapshot the next update reads, from the game as it is now.
  void next(const Game& game);

  PollResult pollKeyboard(KeyArray& out) override;
  PollResult pollMouse(MouseState& mouse) override;
  Vec2 cursorPosition() const override;
  Vec2 clientSize() const override { return Vec2(1000, 800); }

  int lives() const { return lives_; }
  int restarts() const { return restarts_; }
  int pauses() const { return pauses_; }
  std::uint64_t followedUpdates() const { return followed_; }

 private:
  void startLife();
  bool follow();
  void playing();
  void startEpisode();
  void onMenu();
  void onPause();
  int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void hold(int key) { keys_[static_cast<std::size_t>(key)] = 0x80; }
  void releaseAll();

  std::mt19937 random_;
  std::optional<InputScript> walkthrough_;
  std::unique_ptr<ScriptInputDevices> script_;  // while following the walkthrough
  std::uint64_t followLeft_ = 0;
  int randomLeft_ = 0;                           // updates of random play left in this life
  std::optional<GameState> lastState_;
  KeyArray keys_{};
  bool button_ = false;
  Vec2 cursor_{500, 400};
  int episodeLeft_ = 0;
  int pauseLeft_ = 0;
  bool tapped_ = false;
  bool endLife_ = false;
  int lives_ = 0;
  int restarts_ = 0;
  int pauses_ = 0;
  std::uint64_t followed_ = 0;
};

}  // namespace vw::soak
