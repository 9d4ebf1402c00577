// The random player through the campaign, and a thousand restarts, checked
// update by update. Run under the sanitizer build these also prove there is
// no leak or bad access; the resident memory must level off.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <iostream>
#include <string>

#include "GameChecks.h"
#include "RandomPlayer.h"
#include "app/InputScript.h"
#include "app/KeyCodes.h"
#include "render/RenderPass.h"

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine (freed memory is still poisoned and checked); it fills
// as the game frees, so it is part of the resident memory's allowance.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=4"; }
constexpr std::size_t kQuarantineBytes = 4u << 20;
#else
constexpr std::size_t kQuarantineBytes = 0;
#endif

namespace vw::soak {

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr std::uint64_t kMinute = 3600;
// Resident memory may still move by this much after the first minute
// (allocator caches and vectors at their high-water mark), not by a leak's worth.
constexpr std::size_t kRssTolerance = (4u << 20) + kQuarantineBytes;
// Beyond that it may grow with the most particles alive at once, which
// rises when the player first reaches the steam jets: an upper bound of the
// heap one particle takes (object, its sprite's frame counts, list slot,
// allocator and sanitizer overheads).
constexpr std::size_t kBytesPerParticle = 1024;
const std::filesystem::path kWalkthrough = VAPORWICK_WALKTHROUGH;

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  return *end == '\0' && value > 0 ? value : fallback;
}

double mib(std::size_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

// The campaign walkthrough the random player's lives start with, if the campaign has one.
std::optional<InputScript> walkthrough() {
  if (!std::filesystem::exists(kWalkthrough)) return std::nullopt;
  std::string error;
  std::optional<InputScript> script = readInputScript(kWalkthrough, error);
  EXPECT_TRUE(script) << error;
  return script;
}

struct CampaignGame {
  explicit CampaignGame(std::uint32_t seed)
      : devices(seed, walkthrough()), game(context, devices, {VAPORWICK_BUILT_DATA, seed, nullptr}) {}

  // One update as the headless runner does it, with the devices' next snapshot.
  void step() {
    devices.next(game);
    game.updateGame(kStep);
    renderFrame(game, context);
  }

  NullRenderContext context;
  RandomPlayer devices;
  Game game;
};

TEST(Soak, RandomPlayerThroughTheCampaign) {
  const std::uint64_t updates = envNumber("VAPORWICK_SOAK_UPDATES", 5 * kMinute);
  const auto seed = static_cast<std::uint32_t>(envNumber("VAPORWICK_SOAK_SEED", 1));
  CampaignGame run(seed);
  Diagnostics startDiagnostics;
  ASSERT_TRUE(run.game.startUp(startDiagnostics));
  ASSERT_EQ(startDiagnostics.count(Severity::Error), 0) << "the shipped campaign has errors";

  const auto started = std::chrono::steady_clock::now();
  std::size_t rssAtMinute = 0;
  std::size_t peakAtMinute = 0;
  std::size_t peak = 0;
  float furthest = 0;
  std::uint64_t playing = 0;
  for (std::uint64_t u = 1; u <= updates; ++u) {
    run.step();
    Game& game = run.game;
    ASSERT_EQ(game.diagnostics.count(Severity::Error), 0) << "after update " << u << ", a restart found errors";
    game.diagnostics.clear();
    if (std::string problem = checkFinite(game); !problem.empty()) FAIL() << "after update " << u << ": " << problem;
    if (std::string problem = checkEmitters(game); !problem.empty()) FAIL() << "after update " << u << ": " << problem;
    if (game.gameState == GameState::Playing) ++playing;
    furthest = std::max(furthest, game.player->getPosition().x);
    peak = std::max(peak, liveParticles(game));
    if (u == kMinute) {
      rssAtMinute = residentBytes();
      peakAtMinute = peak;
    }
  }
  const std::size_t rssAtEnd = residentBytes();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  const RandomPlayer& player = run.devices;
  std::cout << "soak: " << updates << " updates (seed " << seed << ") in " << took.count() << " s; " << player.lives()
            << " lives, " << player.followedUpdates() << " updates following the walkthrough"
            << (std::filesystem::exists(kWalkthrough) ? "" : " (none found)") << ", " << playing << " playing, "
            << player.pauses() << " pauses, " << player.restarts() << " restarts; furthest x " << furthest << " of "
            << run.game.levelWidth << "; most particles " << peakAtMinute << " by minute 1, " << peak
            << " in all; resident " << mib(rssAtMinute) << " MiB at minute 1, " << mib(rssAtEnd)
            << " MiB at the end\n";
  if (updates >= 2 * kMinute) {
    const std::size_t allowed = kRssTolerance + (peak - peakAtMinute) * kBytesPerParticle;
    EXPECT_LE(rssAtEnd, rssAtMinute + allowed) << "resident memory grew after the first minute";
  }
}

// Pauses, restarts with R and starts again from the title menu, a thousand
// times: the world is rebuilt the same each time and memory stays flat.
TEST(Soak, ThousandRestarts) {
  CampaignGame run(3);
  Diagnostics startDiagnostics;
  ASSERT_TRUE(run.game.startUp(startDiagnostics));
  Game& game = run.game;
  KeyArray keys{};
  struct Snapshot : InputDevices {
    KeyArray* keys;
    bool button = false;
    explicit Snapshot(KeyArray* k) : keys(k) {}
    PollResult pollKeyboard(KeyArray& out) override {
      out = *keys;
      return PollResult::Ok;
    }
    PollResult pollMouse(MouseState& mouse) override {
      mouse = MouseState{};
      mouse.buttons[0] = button ? 0x80 : 0;
      return PollResult::Ok;
    }
    Vec2 cursorPosition() const override { return Vec2(300, 400); }  // on "Start Game"
    Vec2 clientSize() const override { return Vec2(1000, 800); }
  } devices(&keys);
  game.input.setDevices(&devices);
  auto update = [&] {
    game.updateGame(kStep);
    renderFrame(game, run.context);
  };
  auto tap = [&](int key) {
    keys[static_cast<std::size_t>(key)] = 0x80;
    update();
    keys[static_cast<std::size_t>(key)] = 0;
    update();
  };
  auto clickStart = [&] {
    devices.button = true;
    update();
    devices.button = false;
    update();
  };

  clickStart();
  ASSERT_EQ(game.gameState, GameState::Playing);
  const std::size_t blocks = game.mapElements.size();
  const std::size_t elements = game.puzzleElements.size();
  const std::size_t textLines = game.sharedText.lines.size();
  const float width = game.levelWidth;
  std::size_t rssAt100 = 0;
  for (int restart = 1; restart <= 1000; ++restart) {
    tap(Key::P);
    ASSERT_EQ(game.gameState, GameState::Paused) << "restart " << restart;
    tap(Key::R);
    ASSERT_EQ(game.gameState, GameState::Menu) << "restart " << restart;
    ASSERT_TRUE(game.diagnostics.empty()) << "restart " << restart;
    clickStart();
    ASSERT_EQ(game.gameState, GameState::Playing) << "restart " << restart;
    ASSERT_EQ(game.mapElements.size(), blocks) << "restart " << restart;
    ASSERT_EQ(game.puzzleElements.size(), elements) << "restart " << restart;
    ASSERT_EQ(game.sharedText.lines.size(), textLines) << "restart " << restart;
    ASSERT_EQ(game.levelWidth, width) << "restart " << restart;
    if (restart == 100) rssAt100 = residentBytes();
  }
  const std::size_t rssAtEnd = residentBytes();
  std::cout << "restarts: resident " << mib(rssAt100) << " MiB after 100, " << mib(rssAtEnd) << " MiB after 1000\n";
  EXPECT_LE(rssAtEnd, rssAt100 + kRssTolerance) << "resident memory grew over the restarts";
}

}  // namespace

}  // namespace vw::soak
