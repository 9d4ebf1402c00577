// The campaign played by a seeded random player, and a thousand restarts,
// checked after every update: positions and speeds stay finite, emitters keep
// to their capacity, restarts rebuild the same world, and resident memory
// levels off. Meant for the sanitizer build too, where a leak or a bad
// access ends the run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "app/Game.h"
#include "app/InputScript.h"
#include "app/KeyCodes.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"
#include "render/RenderPass.h"

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine (freed memory stays poisoned); it is part of the allowance below.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=4"; }
constexpr std::size_t kQuarantineBytes = 4u << 20;
#else
constexpr std::size_t kQuarantineBytes = 0;
#endif

namespace vw {
namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr std::uint64_t kMinute = 3600;
// Allocator caches and vectors at their high-water mark, not a leak's worth;
// beyond that memory may grow with the most particles alive at once.
constexpr std::size_t kRssTolerance = (4u << 20) + kQuarantineBytes;
constexpr std::size_t kBytesPerParticle = 1024;
const Vec2 kStartGame(300, 400);

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  const unsigned long long value = text ? std::strtoull(text, nullptr, 10) : 0;
  return value > 0 ? value : fallback;
}

std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Input a player could give, nothing moved by hand. Each life starts on the
// title menu, follows the campaign walkthrough for a random stretch (so every
// part of the strip gets its share), then plays at random for half a minute
// to a minute and a half (walking mostly right, jumping, floating, spraying
// at random aims, changing power) and ends with P and R.
class RandomPlayer : public InputDevices {
 public:
  RandomPlayer(std::uint32_t seed, InputScript walkthrough) : random_(seed), walkthrough_(std::move(walkthrough)) {}

  void next(const Game& game) {
    if (game.gameState == GameState::Menu && last_ != GameState::Menu) startLife();
    last_ = game.gameState;
    if (script_ && followLeft_-- > 0 && script_->advance()) return;
    script_.reset();
    keys_.fill(0);
    if (game.gameState == GameState::Menu) {
      button_ = !button_;
      cursor_ = kStartGame;
    } else if (game.gameState == GameState::Paused) {
      if (pauseLeft_-- <= 0) hold(Key::R);
    } else if (--randomLeft_ <= 0) {
      if (!paused_) hold(Key::P);
      paused_ = true;
    } else {
      randomEpisode();
    }
  }
  PollResult pollKeyboard(KeyArray& out) override {
    if (script_) return script_->pollKeyboard(out);
    out = keys_;
    return PollResult::Ok;
  }
  PollResult pollMouse(MouseState& mouse) override {
    if (script_) return script_->pollMouse(mouse);
    mouse = MouseState{};
    mouse.buttons[0] = button_ ? 0x80 : 0;
    return PollResult::Ok;
  }
  Vec2 cursorPosition() const override { return script_ ? script_->cursorPosition() : cursor_; }
  Vec2 clientSize() const override { return Vec2(1000, 800); }
  int lives = 0;

 private:
  int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void hold(int key) { keys_[static_cast<std::size_t>(key)] = 0x80; }
  void startLife() {
    ++lives;
    script_ = std::make_unique<ScriptInputDevices>(walkthrough_);
    followLeft_ = std::uniform_int_distribution<std::uint64_t>(0, walkthrough_.totalUpdates())(random_);
    randomLeft_ = 1800 + roll(3600);
    pauseLeft_ = 2 + roll(40);
    paused_ = false;
    button_ = false;
  }
  void randomEpisode() {
    if (episodeLeft_-- > 0) {
      keys_ = episodeKeys_;
      return;
    }
    episodeLeft_ = 5 + roll(90);
    episodeKeys_.fill(0);
    const int walk = roll(20);
    const int key = walk < 12 ? Key::D : walk < 15 ? Key::A : -1;
    if (key >= 0) episodeKeys_[static_cast<std::size_t>(key)] = 0x80;
    if (roll(10) < 3) episodeKeys_[Key::W] = 0x80;  // jump, then the umbrella
    const int powers[] = {Key::One, Key::Two, Key::Three, Key::Q};
    hold(powers[roll(4)]);  // chosen in the episode's first update only
    button_ = roll(5) < 2;
    cursor_ = Vec2(static_cast<float>(roll(1000)), static_cast<float>(roll(800)));
  }

  std::mt19937 random_;
  InputScript walkthrough_;
  std::unique_ptr<ScriptInputDevices> script_;
  std::uint64_t followLeft_ = 0;
  std::optional<GameState> last_;
  KeyArray keys_{}, episodeKeys_{};
  bool button_ = false, paused_ = false;
  Vec2 cursor_{500, 400};
  int randomLeft_ = 0, episodeLeft_ = 0, pauseLeft_ = 0;
};

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The first thing that must not be, or empty: a non-finite position or speed,
// or an emitter holding more than its capacity and one batch.
std::string problem(const Game& game) {
  auto emitter = [](const std::string& owner, const ParticleEmitter& e, float length) -> std::string {
    for (const Particle& p : e.getParticles()) {
      if (!finite(p.getPosition()) || !finite(p.getVelocity())) return owner + ": a particle left the numbers";
    }
    const std::size_t batch = static_cast<std::size_t>(std::min(length / 10 + 4, 10000.0f));
    if (e.count() > static_cast<std::size_t>(e.getCapacity()) + batch) return owner + ": over capacity";
    return {};
  };
  if (!finite(game.player->getPosition()) || !finite(game.player->getVelocity())) return "the player left the numbers";
  std::string found = emitter("spray", game.player->getEmitter(), 160);
  for (std::size_t i = 0; i < game.puzzleElements.size() && found.empty(); ++i) {
    const PuzzleElement& e = *game.puzzleElements[i];
    const std::string name = "element " + std::to_string(i);
    if (!finite(e.getPosition())) return name + " left the numbers";
    if (e.getType() == PuzzleElementType::MovingBlock && !finite(static_cast<const MovingBlock&>(e).getVelocity())) {
      return name + ": its speed left the numbers";
    }
    if (e.getType() == PuzzleElementType::Steamjet) {
      const auto& jet = static_cast<const Steamjet&>(e);
      found = emitter(name, jet.getEmitter(), jet.getAreaHeight());
    }
  }
  return found;
}

std::size_t liveParticles(const Game& game) {
  std::size_t n = game.player->getEmitter().count();
  for (const auto& e : game.puzzleElements) {
    if (e->getType() == PuzzleElementType::Steamjet) n += static_cast<const Steamjet&>(*e).getEmitter().count();
  }
  return n;
}

InputScript walkthrough() {
  std::string error;
  std::optional<InputScript> script = readInputScript(VAPORWICK_WALKTHROUGH, error);
  EXPECT_TRUE(script) << error;
  return script ? *script : InputScript{};
}

TEST(Soak, RandomPlayerThroughTheCampaign) {
  const std::uint64_t updates = envNumber("VAPORWICK_SOAK_UPDATES", 5 * kMinute);
  const auto seed = static_cast<std::uint32_t>(envNumber("VAPORWICK_SOAK_SEED", 1));
  NullRenderContext context;
  RandomPlayer devices(seed, walkthrough());
  Game game(context, devices, {VAPORWICK_BUILT_DATA, seed, nullptr});
  Diagnostics start;
  ASSERT_TRUE(game.startUp(start));
  ASSERT_EQ(start.count(Severity::Error), 0) << "the shipped campaign has errors";
  std::size_t rssAtMinute = 0, peakAtMinute = 0, peak = 0;
  float furthest = 0;
  for (std::uint64_t u = 1; u <= updates; ++u) {
    devices.next(game);
    game.updateGame(kStep);
    renderFrame(game, context);
    ASSERT_EQ(game.diagnostics.count(Severity::Error), 0) << "update " << u << ": a restart found errors";
    if (const std::string p = problem(game); !p.empty()) FAIL() << "after update " << u << ": " << p;
    furthest = std::max(furthest, game.player->getPosition().x);
    peak = std::max(peak, liveParticles(game));
    if (u == kMinute) {
      rssAtMinute = residentBytes();
      peakAtMinute = peak;
    }
  }
  const std::size_t rssAtEnd = residentBytes();
  std::cout << "soak: " << updates << " updates, seed " << seed << ", " << devices.lives << " lives, furthest x "
            << furthest << " of " << game.levelWidth << ", most particles " << peak << ", resident "
            << rssAtMinute / 1024 << " KiB at minute 1, " << rssAtEnd / 1024 << " KiB at the end\n";
  if (updates >= 2 * kMinute) {
    EXPECT_LE(rssAtEnd, rssAtMinute + kRssTolerance + (peak - peakAtMinute) * kBytesPerParticle)
        << "resident memory grew after the first minute";
  }
}

// P, R and "Start Game" a thousand times: the same world each time, memory flat.
TEST(Soak, ThousandRestarts) {
  NullRenderContext context;
  std::string error;
  std::istringstream text("1 mouse 300 400 down\n1 mouse 500 400\n1 P\n1\n1 R\n1\n");
  std::optional<InputScript> clicks = parseInputScript(text, "restarts", error);
  ASSERT_TRUE(clicks) << error;
  ScriptInputDevices none{InputScript{}};
  Game game(context, none, {VAPORWICK_BUILT_DATA, 3, nullptr});
  Diagnostics start;
  ASSERT_TRUE(game.startUp(start));
  std::array<std::size_t, 3> first{};
  std::size_t rssAt100 = 0;
  for (int restart = 0; restart <= 1000; ++restart) {
    ScriptInputDevices devices(*clicks);
    game.input.setDevices(&devices);
    for (std::size_t u = 0; devices.advance(); ++u) {
      game.updateGame(kStep);
      renderFrame(game, context);
      // P pauses only a game that "Start Game" started.
      if (u == 2) ASSERT_EQ(game.gameState, GameState::Paused) << "restart " << restart;
    }
    ASSERT_EQ(game.gameState, GameState::Menu) << "restart " << restart;
    ASSERT_TRUE(game.diagnostics.empty()) << "restart " << restart;
    const std::array<std::size_t, 3> world{game.mapElements.size(), game.puzzleElements.size(),
                                           game.sharedText.lines.size()};
    if (restart == 0) first = world;
    ASSERT_EQ(world, first) << "restart " << restart << ": blocks, elements and text lines";
    if (restart == 100) rssAt100 = residentBytes();
  }
  EXPECT_LE(residentBytes(), rssAt100 + kRssTolerance) << "resident memory grew over the restarts";
}

}  // namespace
}  // namespace vw
