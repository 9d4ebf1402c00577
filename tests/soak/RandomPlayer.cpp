#include "RandomPlayer.h"

#include "app/KeyCodes.h"

namespace vw::soak {

namespace {

// Pixels of the "Start Game" line on the title menu.
const Vec2 kStartGame(300, 400);
// Random play per life: half a minute to a minute and a half.
constexpr int kMinRandomUpdates = 1800;
constexpr int kRandomUpdatesRange = 3600;
// One pause in this many episodes, and R on one of its own pauses in this many.
constexpr int kPauseOdds = 40;
constexpr int kRestartOdds = 3;

}  // namespace

RandomPlayer::RandomPlayer(std::uint32_t seed, std::optional<InputScript> walkthrough)
    : random_(seed), walkthrough_(std::move(walkthrough)) {}

PollResult RandomPlayer::pollKeyboard(KeyArray& out) {
  if (script_) return script_->pollKeyboard(out);
  out = keys_;
  return PollResult::Ok;
}

PollResult RandomPlayer::pollMouse(MouseState& mouse) {
  if (script_) return script_->pollMouse(mouse);
  mouse = MouseState{};
  mouse.buttons[0] = button_ ? 0x80 : 0;
  return PollResult::Ok;
}

Vec2 RandomPlayer::cursorPosition() const { return script_ ? script_->cursorPosition() : cursor_; }

void RandomPlayer::next(const Game& game) {
  // Back on the title menu from elsewhere (or at the very start): a new life.
  if (game.gameState == GameState::Menu && lastState_ != GameState::Menu) startLife();
  lastState_ = game.gameState;
  if (script_ && follow()) return;
  switch (game.gameState) {
    case GameState::Menu: onMenu(); return;
    case GameState::Paused: onPause(); return;
    case GameState::Playing: playing(); return;
    case GameState::Ending: playing(); return;  // any key it presses closes the panel
  }
}

void RandomPlayer::startLife() {
  ++lives_;
  releaseAll();
  endLife_ = false;
  episodeLeft_ = 0;
  randomLeft_ = kMinRandomUpdates + roll(kRandomUpdatesRange);
  script_.reset();
  if (!walkthrough_) return;
  const std::uint64_t total = walkthrough_->totalUpdates();
  followLeft_ = std::uniform_int_distribution<std::uint64_t>(0, total)(random_);
  script_ = std::make_unique<ScriptInputDevices>(*walkthrough_);
}

bool RandomPlayer::follow() {
  if (followLeft_ > 0 && script_->advance()) {
    --followLeft_;
    ++followed_;
    return true;
  }
  script_.reset();
  releaseAll();
  return false;
}

void RandomPlayer::releaseAll() {
  keys_.fill(0);
  button_ = false;
  tapped_ = false;
}

void RandomPlayer::playing() {
  if (tapped_) {
    // Keys tapped for one update (power choice, P) are let go in the next.
    for (int key : {Key::One, Key::Two, Key::Three, Key::Q, Key::P}) keys_[static_cast<std::size_t>(key)] = 0;
    tapped_ = false;
  }
  const bool lifeOver = --randomLeft_ <= 0;
  if (!lifeOver && episodeLeft_-- > 0) return;
  if (lifeOver || roll(kPauseOdds) == 0) {
    releaseAll();
    hold(Key::P);
    pauseLeft_ = 2 + roll(40);
    endLife_ = lifeOver;
    ++pauses_;
    return;
  }
  startEpisode();
}

void RandomPlayer::startEpisode() {
  keys_.fill(0);
  episodeLeft_ = 5 + roll(90);
  const int walk = roll(20);
  if (walk < 12) {
    hold(roll(4) == 0 ? Key::Right : Key::D);
  } else if (walk < 15) {
    hold(roll(4) == 0 ? Key::Left : Key::A);
  }
  const int jump = roll(10);
  if (jump < 3) hold(Key::W);  // held: jump, then the umbrella
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
  // Let go, then click "Start Game" (now and then somewhere else first).
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
  if (endLife_ || roll(kRestartOdds) == 0) {
    hold(Key::R);
    ++restarts_;
  } else {
    hold(Key::P);
    tapped_ = true;
  }
}

}  // namespace vw::soak
