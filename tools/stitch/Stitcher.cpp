#include "Stitcher.h"

#include <cmath>
#include <fstream>

#include "app/Game.h"
#include "app/InputScript.h"
#include "app/KeyCodes.h"
#include "render/RenderContext.h"
#include "render/RenderPass.h"

namespace vw {

namespace fs = std::filesystem;

namespace {

// How far right of the start the player walks before turning back: walking
// left onto the start leaves the camera where a fresh puzzle's camera goes.
constexpr float kOvershoot = 110;
// What a player walking left on stone slides after letting go of A.
constexpr float kStoneSlide = 6.1f;
constexpr int kRestUpdates = 20;
// Taps tried before the walk, and the miss that needs no more of them.
constexpr int kTapCandidates = 12;
constexpr float kCloseEnough = 0.25f;
constexpr int kMaxWalkUpdates = 60 * 60;
const Vec2 kRestingCursor(700, 300);

// Input set by hand, one update at a time.
class HeldInput : public InputDevices {
 public:
  void set(const std::vector<int>& keys, Vec2 cursor, bool buttonDown) {
    keys_.fill(0);
    for (int k : keys) {
      if (k >= 0 && k < 256) keys_[static_cast<std::size_t>(k)] = 0x80;
    }
    cursor_ = cursor;
    buttonDown_ = buttonDown;
  }
  PollResult pollKeyboard(KeyArray& keys) override {
    keys = keys_;
    return PollResult::Ok;
  }
  PollResult pollMouse(MouseState& mouse) override {
    mouse = MouseState{};
    mouse.buttons[0] = buttonDown_ ? 0x80 : 0;
    return PollResult::Ok;
  }
  Vec2 cursorPosition() const override { return cursor_; }
  Vec2 clientSize() const override { return Vec2(1000, 800); }

 private:
  KeyArray keys_{};
  Vec2 cursor_ = kRestingCursor;
  bool buttonDown_ = false;
};

// A game with its own input and no window.
struct Run {
  HeldInput input;
  NullRenderContext context;
  Game game;
  Run(const fs::path& dataDir, std::uint32_t seed) : game(context, input, GameOptions{dataDir, seed, nullptr}) {}
  bool start() {
    Diagnostics diagnostics;
    return game.startUp(diagnostics);
  }
  void step(const std::vector<int>& keys, Vec2 cursor, bool down, float dt) {
    input.set(keys, cursor, down);
    game.updateGame(dt);
    renderFrame(game, context);
  }
};

// A data directory whose list names one puzzle of the strip.
fs::path layOutAlone(const fs::path& scratch, const fs::path& dataDir, const std::string& puzzle) {
  const fs::path dir = scratch / fs::path(puzzle).stem();
  fs::remove_all(dir);
  fs::create_directories(dir / "Settings");
  fs::create_directories((dir / puzzle).parent_path());
  fs::copy_file(dataDir / puzzle, dir / puzzle);
  std::ofstream(dir / "Settings" / "puzzleFileNames.txt") << puzzle << "\n|&\n";
  return dir;
}

// The cursor that points, under camera `to`, where `cursor` points under camera `from`.
Vec2 sameSpot(Vec2 cursor, Vec3 from, Vec3 to) {
  return Vec2(cursor.x + (from.x - to.x), cursor.y - (from.y - to.y));
}

}  // namespace

// One update's input.
struct Update {
  std::vector<int> keys;
  Vec2 cursor;
  bool down = false;
  float dt = kDefaultStep;
};

struct Stitcher::Strip {
  fs::path dataDir;
  std::uint32_t seed;
  std::unique_ptr<Run> run;
  std::vector<Update> updates;  // every update since the title menu
  Strip(fs::path dir, std::uint32_t s) : dataDir(std::move(dir)), seed(s), run(std::make_unique<Run>(dataDir, seed)) {}
  void step(const std::vector<int>& keys, Vec2 cursor, bool down, float dt = kDefaultStep) {
    run->step(keys, cursor, down, dt);
    updates.push_back(Update{keys, cursor, down, dt});
  }
  Game& game() { return run->game; }
  Vec3 player() const { return run->game.player->getPosition(); }
  // A second strip played up to where this one is.
  std::unique_ptr<Strip> replay() const {
    auto copy = std::make_unique<Strip>(dataDir, seed);
    copy->run->start();
    for (const Update& u : updates) copy->step(u.keys, u.cursor, u.down, u.dt);
    return copy;
  }
  std::string script() const {
    Run again(dataDir, seed);
    again.start();
    InputRecorder recorder(seed);
    for (const Update& u : updates) {
      again.step(u.keys, u.cursor, u.down, u.dt);
      recorder.record(again.game.input, u.dt);
    }
    return recorder.text();
  }
};

namespace {

// Taps D `taps` times, walks right past x, left onto it, and waits for the
// player to stand still; false when it never gets there.
bool walkOnto(Stitcher::Strip& strip, float x, int taps) {
  const std::vector<int> right{Key::D};
  const std::vector<int> left{Key::A};
  const Game& game = strip.game();
  int updates = 0;
  auto rest = [&](int atLeast) {
    for (int n = 0; n < atLeast || game.player->getVelocity().x != 0 || !game.player->isOnGround(); ++n) {
      strip.step({}, kRestingCursor, false);
      if (++updates > kMaxWalkUpdates) return false;
    }
    return true;
  };
  for (int t = 0; t < taps; ++t) {
    strip.step(right, kRestingCursor, false);
    if (!rest(1)) return false;
  }
  while (strip.player().x < x + kOvershoot || !game.player->isOnGround()) {
    strip.step(right, kRestingCursor, false);
    if (++updates > kMaxWalkUpdates) return false;
  }
  while (strip.player().x > x + kStoneSlide) {
    strip.step(left, kRestingCursor, false);
    if (++updates > kMaxWalkUpdates) return false;
  }
  if (!rest(kRestUpdates)) return false;
  // Water, as a fresh game starts with.
  strip.step({Key::One}, kRestingCursor, false);
  strip.step({Key::One}, kRestingCursor, false);
  return rest(2);
}

}  // namespace

Stitcher::Stitcher(StitchOptions options) : options_(std::move(options)) {}

std::optional<std::string> Stitcher::stitch(std::string& error) {
  auto strip = std::make_unique<Strip>(options_.dataDir, options_.seed);
  if (!strip->run->start() || strip->game().puzzles.empty()) {
    error = options_.dataDir.string() + ": the strip does not start";
    return std::nullopt;
  }
  report_.clear();
  const std::size_t puzzles = strip->game().puzzles.size();
  for (std::size_t i = 0; i < puzzles; ++i) {
    if (i > 0 && !walkToStart(strip, i, error)) return std::nullopt;
    if (!playAlongside(*strip, i, error)) return std::nullopt;
  }
  if (strip->game().gameState != GameState::Ending) {
    error = "the strip does not end on the closing panel";
    return std::nullopt;
  }
  std::string text = strip->script();
  text.erase(0, text.find('\n') + 1);  // the recorder's own header
  return "# The whole strip from the title menu to the closing panel, built by\n"
         "# vaporwick_stitch from the walkthroughs of the single puzzles.\n" +
         text;
}

// Walks the strip's player right past the start, then left onto it, and
// waits until it stands still. Walking moves it by whole steps of one
// update, so a few short taps first (each moves it by a fraction of a step)
// give different places to stop at; the closest wins.
bool Stitcher::walkToStart(std::unique_ptr<Strip>& strip, std::size_t index, std::string& error) {
  const Vec3 start = strip->game().puzzleStart(static_cast<int>(index));
  std::unique_ptr<Strip> best;
  float bestMiss = 1e9f;
  for (int taps = 0; taps < kTapCandidates && bestMiss > kCloseEnough; ++taps) {
    std::unique_ptr<Strip> candidate = strip->replay();
    if (!walkOnto(*candidate, start.x, taps)) continue;
    const float miss = std::fabs(candidate->player().x - start.x);
    if (miss < bestMiss) {
      bestMiss = miss;
      best = std::move(candidate);
    }
  }
  if (!best) {
    error = strip->game().puzzles[index].file + ": the player does not come to its start";
    return false;
  }
  strip = std::move(best);
  char line[200];
  std::snprintf(line, sizeof line, "%s: at rest %+.2f from its start\n", strip->game().puzzles[index].file.c_str(),
                strip->player().x - start.x);
  report_ += line;
  return true;
}

bool Stitcher::playAlongside(Strip& strip, std::size_t index, std::string& error) {
  Game& game = strip.game();
  const std::string puzzle = game.puzzles[index].file;
  const fs::path walkthrough = options_.walkthroughs / (fs::path(puzzle).stem().string() + ".txt");
  std::string problem;
  std::optional<InputScript> script = readInputScript(walkthrough, problem);
  if (!script) {
    error = problem;
    return false;
  }
  Run alone(layOutAlone(options_.scratchDir, options_.dataDir, puzzle), script->seed.value_or(options_.seed));
  if (!alone.start()) {
    error = puzzle + ": does not start when played alone";
    return false;
  }
  const bool last = index + 1 == game.puzzles.size();
  // The strip's first puzzle starts from the same title menu; the others
  // skip the walkthrough's Start Game click.
  bool together = index == 0;
  for (const ScriptStep& s : script->steps) {
    for (std::uint64_t n = 0; n < s.count; ++n) {
      // The lone puzzle's camera, moved to where the puzzle lies in the strip.
      const Vec3 aloneCamera = alone.game.cameraEye + Vec3(game.puzzles[index].offset - alone.game.puzzles[0].offset, 0, 0);
      const bool playing = alone.game.gameState == GameState::Playing;
      alone.step(s.keys, s.cursor, s.buttonDown, s.dt);
      // A puzzle alone has "You Win!!" inside it: play on past its panel.
      if (alone.game.gameState == GameState::Ending) alone.game.gameState = GameState::Playing;
      if (!together && !playing) continue;
      together = true;
      // The cursor only matters while the button sprays.
      const Vec2 cursor = s.buttonDown ? sameSpot(s.cursor, aloneCamera, game.cameraEye) : s.cursor;
      strip.step(s.keys, cursor, s.buttonDown, s.dt);
      if (last && game.gameState == GameState::Ending) return true;
    }
  }
  const float end = game.puzzles[index].offset + game.puzzles[index].width;
  if (last || strip.player().x <= end) {
    error = walkthrough.string() + ": in the strip the player ends at x " + std::to_string(strip.player().x) +
            (last ? ", short of \"You Win!!\"" : ", short of the puzzle's right edge " + std::to_string(end));
    return false;
  }
  return true;
}

}  // namespace vw
