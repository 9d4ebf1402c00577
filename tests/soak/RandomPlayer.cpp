#include "RandomPlayer.h"

#include "app/KeyCodes.h"

namespace vw::soak {

namespace {

// Pixels of the "Start Game" line on the title menu.
const Vec2 kStartGame(300, 400);
// One pause in this many episodes, and R on one pause screen in this many.
constexpr int kPauseOdds = 40;
constexpr int kRestartOdds = 3;

}  // namespace

void RandomPlayer::next(const Game& game) {
  switch (game.gameState) {
    case GameState::Menu: onMenu(); return;
    case GameState::Paused: onPause(); return;
    case GameState::Playing: break;
  }
  if (tapped_) {
    // Keys tapped for one update (power choice, P) are let go in the next.
    for (int key : {Key::One, Key::Two, Key::Three, Key::Q, Key::P}) keys_[static_cast<std::size_t>(key)] = 0;
    tapped_ = false;
  }
  if (left_-- > 0) return;
  if (roll(kPauseOdds) == 0) {
    keys_.fill(0);
    button_ = false;
    hold(Key::P);
    pauseLeft_ = 2 + roll(40);
    ++pauses_;
    left_ = 0;
    return;
  }
  startEpisode();
}

void RandomPlayer::startEpisode() {
  keys_.fill(0);
  left_ = 5 + roll(90);
  const int walk = roll(20);
  if (walk < 12) {
    hold(roll(4) == 0 ? Key::Right : Key::D);
  } else if (walk < 15) {
    hold(roll(4) == 0 ? Key::Left : Key::A);
  }
  const int jump = roll(10);
  if (jump < 3) hold(Key::W);           // held: jump, then the umbrella
  if (jump == 3) hold(Key::Space);
  button_ = roll(5) < 2;
  cursor_ = Vec2(static_cast<float>(roll(1000)), static_cast<float>(roll(800)));
  if (roll(6) == 0) {
    const int powerKeys[] = {Key::One, Key::Two, Key::Three, Key::Q};
    hold(powerKeys[roll(4)]);
    tapped_ = true;
  }
}

void RandomPlayer::onMenu() {
  // Release everything, then click "Start Game" (sometimes the other lines first).
  keys_.fill(0);
  if (button_) {
    button_ = false;
    return;
  }
  button_ = true;
  cursor_ = roll(4) == 0 ? Vec2(static_cast<float>(roll(1000)), static_cast<float>(roll(800))) : kStartGame;
}

void RandomPlayer::onPause() {
  if (keys_[Key::P] || keys_[Key::R]) {  // let go of the key that paused
    keys_.fill(0);
    return;
  }
  if (pauseLeft_-- > 0) return;
  if (roll(kRestartOdds) == 0) {
    hold(Key::R);
    ++restarts_;
  } else {
    hold(Key::P);
    tapped_ = true;
  }
}

}  // namespace vw::soak
