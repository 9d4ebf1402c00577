#include "PuzzleRun.h"

#include "render/RenderPass.h"

namespace vw {

namespace {

// Below this the player has fallen out of the puzzle; drifting under the
// next ground is not getting past.
constexpr float kFloorY = -100;

}  // namespace

PuzzleRun::PuzzleRun(const PuzzleSetup& setup)
    : game_(std::make_unique<Game>(context_, devices_, GameOptions{setup.dataDir, setup.seed, nullptr, nullptr},
                                   setup.puzzle)),
      puzzle_(setup.puzzle),
      needs_(setup.needs),
      last_(setup.last),
      titleMenu_(setup.titleMenu) {}

bool PuzzleRun::start(std::string& error) {
  Diagnostics diagnostics;
  if (!game_->startUp(diagnostics)) {
    for (const Diagnostic& d : diagnostics.all()) error += d.format() + "\n";
    return false;
  }
  if (titleMenu_) game_->gameState = GameState::Menu;
  // The loader again, for the file line of every block and element.
  Random scratch(1);
  Diagnostics ignored;
  LoadedWorld world = loadPuzzleText(puzzle_.name, puzzle_.text, scratch, ignored, nullptr);
  std::optional<NeedsObserver> observer = NeedsObserver::bind(needs_, world, error);
  if (!observer) return false;
  observer_ = *observer;
  const float winRight = game_->sharedText.lines.empty() ? 0.0f : textRightEdge(game_->winLine);
  goal_ = last_ ? winRight : game_->levelWidth;
  return true;
}

std::uint64_t PuzzleRun::play(const std::vector<ScriptStep>& steps) {
  devices_ = ScriptInputDevices(InputScript{std::nullopt, steps});
  std::uint64_t played = 0;
  while (!passed() && devices_.advance()) {
    game_->updateGame(devices_.dt());
    renderFrame(*game_, context_);
    // A puzzle played alone has the win text inside it: the closing panel
    // is noted by the goal of the last puzzle; play goes on past it.
    if (game_->gameState == GameState::Ending) game_->gameState = GameState::Playing;
    observer_.observe(*game_);
    ++played;
  }
  return played;
}

bool PuzzleRun::passed() const {
  const Vec3 p = game_->player->getPosition();
  return p.x > goal_ && p.y > kFloorY;
}

void PuzzleRun::restore(const Saved& saved) {
  game_->restore(saved.game);
  observer_.setMet(saved.met);
}

}  // namespace vw
